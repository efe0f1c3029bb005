// translations.h - Qt's own texts in the user's language.
// What Qt draws for the program (the file dialog, the edit fields' context menu, the scroll bar's
// menu) follows the system language, as Windows' common dialogs and controls do; the program's
// own texts come from its resources and never pass through a translator.
#ifndef ORBIX_TRANSLATIONS_H
#define ORBIX_TRANSLATIONS_H

#include <QLocale>
#include <QString>

namespace host {

// Loads and installs Qt's catalogue for `locale` ("qt_<lang>.qm" from `dir`, by default Qt's
// translations folder: Debian's qt6-translations-l10n), in place of any installed before. False
// when there is none for that language: Qt's texts then stay in English.
bool installQtTranslations(const QLocale &locale, const QString &dir = QString());
// Takes the catalogue out again (Qt's texts back in English).
void removeQtTranslations();

}  // namespace host

#endif
