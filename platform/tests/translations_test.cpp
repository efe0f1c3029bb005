// Qt's own texts in the user's language: the catalogue for each language Debian ships, English
// where none exists, and the program's windows kept left to right whatever the language.
#include <gtest/gtest.h>

#include "qt/translations.h"
#include "testing/wintest.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>

namespace {

QString saveTitle() {
    QFileDialog d;
    d.setOption(QFileDialog::DontUseNativeDialog);
    d.setAcceptMode(QFileDialog::AcceptSave);
    return d.windowTitle();
}

TEST(QtTranslations, FollowTheLanguageAndLeaveTheLayoutLeftToRight) {
    // The expected words are Qt's, as Debian's qt6-translations-l10n gives them (ASCII spelt).
    struct Row {
        const char *locale;
        bool loaded;
        const char *copy, *saveAs;
    };
    const Row rows[] = {
        {"pt_BR", true, "&Copiar", "Salvar como"},
        {"pt_PT", true, "&Copiar", "Gravar Como"},  // a catalogue of its own, not Brazil's
        {"de_DE", true, "&Kopieren", "Speichern unter"},
        {"en_US", false, "&Copy", "Save As"},   // Qt speaks English already
        {"sw_KE", false, "&Copy", "Save As"},  // no catalogue: Qt's English
        {"he_IL", true, nullptr, nullptr},     // right to left: only the layout is checked
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.locale);
        EXPECT_EQ(host::installQtTranslations(QLocale(r.locale)), r.loaded);
        if (r.copy) {
            EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Copy"), r.copy);
            EXPECT_EQ(saveTitle(), r.saveAs);
        }
        QCoreApplication::processEvents();  // the language change reaches the application
        EXPECT_EQ(QGuiApplication::layoutDirection(), Qt::LeftToRight);
    }
    host::removeQtTranslations();
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Copy"), "&Copy");
}

}  // namespace
