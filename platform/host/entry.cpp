// The process entry on Linux: hand over to the program's WinMain as Windows would, with the rest
// of the command line quoted as Windows passes it. The Qt application starts only when the
// program first needs the window system, so "orbix --help" answers where there is no display.
#include "host.h"

#include <QApplication>

// Under LeakSanitizer: fontconfig and D-Bus keep process-lifetime caches on purpose.
extern "C" const char *__lsan_default_suppressions() { return "leak:libfontconfig.so\nleak:libdbus-1.so\n"; }

int main(int argc, char **argv) {
    host::setArguments(argc, argv);
    std::string line = host::windowsCommandLine(argc, argv);
    int code = WinMain(reinterpret_cast<HINSTANCE>(host::moduleInstance()), nullptr, line.data(), SW_SHOWDEFAULT);
    delete QCoreApplication::instance();
    return code;
}
