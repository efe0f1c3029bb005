// Qt's own catalogues for the user's language.
#include "translations.h"

#include <QGuiApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace host {
namespace {
QTranslator *installed = nullptr;
}

bool installQtTranslations(const QLocale &locale, const QString &dir) {
    removeQtTranslations();
    // A Win32 window is laid out left to right unless it asks otherwise; a right-to-left catalogue
    // (Arabic, Hebrew) must not mirror the program's windows and dialog templates.
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    auto *t = new QTranslator(QCoreApplication::instance());
    // "qt" names Qt's meta catalogue: for most languages it pulls in qtbase_<lang>.qm, for a few
    // (pt_PT among them) it holds the texts itself.
    QString from = dir.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : dir;
    if (!t->load(locale, "qt", "_", from) || !QCoreApplication::installTranslator(t)) {
        delete t;
        return false;
    }
    installed = t;
    return true;
}

void removeQtTranslations() {
    if (!installed) return;
    QCoreApplication::removeTranslator(installed);
    delete installed;
    installed = nullptr;
}

}  // namespace host
