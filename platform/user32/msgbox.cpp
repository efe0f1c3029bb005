// USER32 message boxes: a Qt message box run in the program's own modal loop, so the owner
// window keeps painting while it is open.
#include "qt/host.h"

#include <QMessageBox>
#include <QAbstractButton>

using namespace host;

/* MessageBoxA (user32) */
int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    ensureApplication();
    std::string t = text ? text : "", c = caption ? caption : "Error";
    if (hooks().testMode) {
        if (hooks().messageBox) return hooks().messageBox(owner, t, c, type);
        fail("unexpected message box \"" + c + "\": " + t);
        return (type & 0x0F) == MB_OK ? IDOK : IDCANCEL;
    }
    Window *o = win(owner);
    QMessageBox box(o && o->widget ? o->widget->window() : nullptr);
    box.setWindowTitle(fromAnsi(c.c_str()));
    box.setText(fromAnsi(t.c_str()));
    box.setTextFormat(Qt::PlainText);
    switch (type & 0xF0) {
    case MB_ICONHAND: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONASTERISK: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    int result = IDOK;
    // Qt's standard buttons, so that their texts follow the user's language as Windows's do.
    box.setStandardButtons((type & 0x0F) == MB_OKCANCEL ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok);
    QAbstractButton *ok = box.button(QMessageBox::Ok), *cancel = box.button(QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(cancel ? cancel : ok);
    bool done = false;
    QObject::connect(&box, &QMessageBox::finished, [&] {
        result = box.clickedButton() == cancel && cancel ? IDCANCEL : IDOK;
        done = true;
        postMessage(nullptr, WM_NULL, 0, 0);
    });
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    box.activateWindow();
    modalLoop([&] { return done; });
    reactivateOwner(owner);
    return result;
}
