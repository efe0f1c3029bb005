// The host of the layer: the Qt application, text conversion, the command line, the test hooks.
#include "host.h"
#include "translations.h"

#include <QAbstractEventDispatcher>
#include <QApplication>

#include <clocale>
#include <cstdio>
#include <cstring>

namespace host {

// ------------------------------------------------------------------ text
// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
static const char16_t kCp1252High[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                         0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                         0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

QString fromAnsi(const char *s, int len) {
    QString out;
    if (!s) return out;
    if (len < 0) len = int(strlen(s));
    out.reserve(len);
    for (int i = 0; i < len; ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c >= 0x80 && c < 0xA0)
            out.append(QChar(kCp1252High[c - 0x80]));
        else
            out.append(QChar(char16_t(c)));
    }
    return out;
}

std::string toAnsi(const QString &s) {
    std::string out;
    out.reserve(size_t(s.size()));
    for (QChar ch : s) {
        char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u < 0x100)) {
            out.push_back(char(u));
            continue;
        }
        char c = '?';
        for (int i = 0; i < 32; ++i)
            if (kCp1252High[i] == u && u != 0xFFFD) c = char(0x80 + i);
        out.push_back(c);
    }
    return out;
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

void ensureApplication() {
    if (QCoreApplication::instance()) return;
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
        std::string a = argv[i];
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
