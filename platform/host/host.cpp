// The host of the layer: the Qt application, text conversion, the command line, the test hooks.
#include "host.h"
#include "kernel32.h"
#include "translations.h"

#include <QAbstractEventDispatcher>
#include <QApplication>

#include <clocale>
#include <cstdio>
#include <cstring>

namespace host {

// ------------------------------------------------------------------ text
QString fromAnsi(const char *s, int len) {
    if (!s) return QString();
    const std::string u = kernel32::utf8FromAnsi(s, len < 0 ? strlen(s) : size_t(len));
    return QString::fromUtf8(u.data(), qsizetype(u.size()));
}

std::string toAnsi(const QString &s) {
    const QByteArray u = s.toUtf8();
    return kernel32::ansiFromUtf8(u.constData(), size_t(u.size()));
}

// ------------------------------------------------------------------ the application
static int appArgc = 1;
static char appName[] = "orbix";
static char *appArgvDefault[] = {appName, nullptr};
static char **appArgv = appArgvDefault;

void setArguments(int argc, char **argv) {
    appArgc = argc;
    appArgv = argv;
}

static bool noDisplay = false;

bool windowless() { return noDisplay; }

void ensureApplication() {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        noDisplay = true;
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // A process that only prints to a file answers on standard error for itself: Qt's
        // remarks on a session it does not have (no runtime folder) are not its user's business.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "%s\n", qPrintable(text));
        });
    }
    auto *app = new QApplication(appArgc, appArgv);
    // Qt takes the user's locale on Unix; a Windows program's C runtime formats and reads numbers
    // in the "C" locale, whatever the user's language (1.50, never 1,50).
    setlocale(LC_NUMERIC, "C");
    // Qt's texts (file dialog, edit menus) in the user's language, as Windows draws its own.
    installQtTranslations(QLocale::system());
    app->setQuitOnLastWindowClosed(false);  // the program ends through its own message loop
}

std::string windowsCommandLine(int argc, char **argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        // As the ANSI command line of Windows: in Windows-1252, '?' for what it cannot write.
        std::string a = kernel32::ansiFromUtf8(argv[i], strlen(argv[i]));
        if (i > 1) line += ' ';
        if (!a.empty() && a.find_first_of(" \t\"") == std::string::npos) {
            line += a;
            continue;
        }
        line += '"';
        size_t slashes = 0;
        for (char c : a) {
            if (c == '\\') {
                ++slashes;
                continue;
            }
            // Backslashes before a quote are doubled, and the quote escaped.
            line.append(c == '"' ? 2 * slashes + 1 : slashes, '\\');
            slashes = 0;
            line += c;
        }
        line.append(2 * slashes, '\\');  // before the closing quote
        line += '"';
    }
    return line;
}

HINSTANCE moduleInstance() {
    static int module;
    return reinterpret_cast<HINSTANCE>(&module);
}

void wake() {
    if (auto *d = QAbstractEventDispatcher::instance()) d->wakeUp();
}

// ------------------------------------------------------------------ hooks
Hooks &hooks() {
    static Hooks h;
    return h;
}

void fail(const std::string &what) {
    if (hooks().failure)
        hooks().failure(what);
    else
        fprintf(stderr, "orbix platform: %s\n", what.c_str());
}

}  // namespace host
