// USER32 message boxes: a Qt message box run in the program's own modal loop, so the owner
// window keeps painting while it is open.
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
    Window *o = win(owner);
    QMessageBox box(o && o->widget ? o->widget->window() : nullptr);
    box.setWindowTitle(host::fromAnsi(c.c_str()));
    box.setText(host::fromAnsi(t.c_str()));
    box.setTextFormat(Qt::PlainText);
    if ((type & 0xF0) == MB_ICONEXCLAMATION) box.setIcon(QMessageBox::Warning);
    if ((type & 0xF0) == MB_ICONINFORMATION) box.setIcon(QMessageBox::Information);
    // Qt's standard button, so that its text follows the user's language as Windows's does.
    box.setStandardButtons(QMessageBox::Ok);
    bool done = false;
    QObject::connect(&box, &QMessageBox::finished, [&] {
        done = true;
        postMessage(nullptr, WM_NULL, 0, 0);
    });
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    box.activateWindow();
    modalLoop([&] { return done; });
    reactivateOwner(owner);
    return IDOK;
}
