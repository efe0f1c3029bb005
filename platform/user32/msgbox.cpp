// USER32 message boxes (MB_OK, MB_YESNOCANCEL): a Qt message box run in the program's own modal
// loop, so the owner window keeps painting while it is open.
#include "user32.h"

#include <QMessageBox>

using namespace user32;

/* MessageBoxA (user32) */
int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    host::ensureApplication();
    std::string t = text ? text : "", c = caption ? caption : "Error";
    if (host::hooks().testMode) {
        if (host::hooks().messageBox) return host::hooks().messageBox(owner, t, c, type);
        host::fail("unexpected message box \"" + c + "\": " + t);
        return IDOK;
    }
    QMessageBox box(ownerWidget(owner));
    box.setWindowTitle(host::fromAnsi(c.c_str()));
    box.setText(host::fromAnsi(t.c_str()));
    box.setTextFormat(Qt::PlainText);
    if ((type & 0xF0) == MB_ICONEXCLAMATION) box.setIcon(QMessageBox::Warning);
    if ((type & 0xF0) == MB_ICONINFORMATION) box.setIcon(QMessageBox::Information);
    if ((type & 0xF0) == MB_ICONQUESTION) box.setIcon(QMessageBox::Question);
    // Qt's standard buttons, so that their texts follow the user's language as Windows's do.
    const bool question = (type & 0x0F) == MB_YESNOCANCEL;
    box.setStandardButtons(question ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel : QMessageBox::Ok);
    if (question) box.setEscapeButton(QMessageBox::Cancel);
    runModal(box, owner);
    if (!question) return IDOK;
    const auto chosen = box.standardButton(box.clickedButton());
    return chosen == QMessageBox::Yes ? IDYES : chosen == QMessageBox::No ? IDNO : IDCANCEL;
}
