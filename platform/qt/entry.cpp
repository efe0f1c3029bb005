// The process entry on Linux: start the Qt application, then hand over to the program's WinMain
// as Windows would (no previous instance, empty command line, default show state).
#include <windows.h>

#include "qt/translations.h"

#include <QApplication>

#include <clocale>

// Under LeakSanitizer: fontconfig and D-Bus keep process-lifetime caches on purpose.
extern "C" const char *__lsan_default_suppressions() { return "leak:libfontconfig.so\nleak:libdbus-1.so\n"; }

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    // Qt takes the user's locale on Unix; a Windows program's C runtime formats and reads numbers
    // in the "C" locale, whatever the user's language (1.50, never 1,50).
    setlocale(LC_NUMERIC, "C");
    // Qt's texts (file dialog, edit menus) in the user's language, as Windows draws its own.
    host::installQtTranslations(QLocale::system());
    app.setQuitOnLastWindowClosed(false);  // the program ends through its own message loop
    char cmdLine[] = "";
    return WinMain(reinterpret_cast<HINSTANCE>(GetModuleHandleA(nullptr)), nullptr, cmdLine, SW_SHOWDEFAULT);
}
