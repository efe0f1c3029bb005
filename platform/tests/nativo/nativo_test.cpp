// The layer's choice of file dialog where the platform offers one of its own: a stand-in platform
// theme (as the XDG portal and GTK themes are) is loaded, and GetSaveFileNameA and
// GetOpenFileNameA must go to its dialog, never to Qt's widgets, with every OPENFILENAMEA field
// handed over in its meaning and the answer handed back.
#include <gtest/gtest.h>

#include "testing/stored.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <QUrl>
#include <QtPlugin>
#include <qpa/qplatformdialoghelper.h>
#include <qpa/qplatformtheme.h>
#include <qpa/qplatformthemeplugin.h>

#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

// What the platform's dialog was asked to show, one line each time: the kind, whether it asks
// before replacing, the title, the filter chosen of how many, the default suffix, the proposed
// folder and file, and whether Qt's own widgets showed too.
std::vector<std::string> shown;
std::optional<QString> answer;  // the file the person picks in it; none: Cancel
QString answerFilter;

class PlatformFileDialog : public QPlatformFileDialogHelper {
public:
    bool defaultNameFilterDisables() const override { return false; }
    void setDirectory(const QUrl &d) override { dir_ = d; }
    QUrl directory() const override { return dir_; }
    void selectFile(const QUrl &f) override { files_ = {f}; }
    QList<QUrl> selectedFiles() const override { return files_; }
    void setFilter() override {}
    void selectNameFilter(const QString &f) override { filter_ = f; }
    QString selectedNameFilter() const override { return filter_; }
    void exec() override {}
    void hide() override {}
    bool show(Qt::WindowFlags, Qt::WindowModality, QWindow *) override {
        auto o = options();
        bool widgets = false;
        for (QWidget *w : QApplication::topLevelWidgets())
            widgets |= qobject_cast<QFileDialog *>(w) && w->isVisible() && !w->testAttribute(Qt::WA_DontShowOnScreen);
        const QString files = o->initiallySelectedFiles().isEmpty() ? "" : o->initiallySelectedFiles()[0].fileName();
        shown.push_back(QString("%1%2%3 \"%4\" \"%5\" of %6, suffix \"%7\", %8 %9%10")
                            .arg(o->acceptMode() == QFileDialogOptions::AcceptSave ? "save" : "open")
                            .arg(o->fileMode() == QFileDialogOptions::ExistingFile ? " existing" : "")
                            .arg(o->testOption(QFileDialogOptions::DontConfirmOverwrite) ? "" : " confirm")
                            .arg(o->windowTitle(), o->initiallySelectedNameFilter())
                            .arg(o->nameFilters().size())
                            .arg(o->defaultSuffix(), files.isEmpty() ? "" : o->initialDirectory().toLocalFile(), files)
                            .arg(widgets ? " and Qt's own" : "")
                            .toStdString());
        QTimer::singleShot(0, this, [this] {
            if (!answer) {
                emit reject();
                return;
            }
            files_ = {QUrl::fromLocalFile(*answer)};
            filter_ = answerFilter;
            emit accept();
        });
        return true;
    }

private:
    QUrl dir_;
    QList<QUrl> files_;
    QString filter_;
};

class PlatformTheme : public QPlatformTheme {
public:
    bool usePlatformNativeDialog(DialogType t) const override { return t == FileDialog; }
    QPlatformDialogHelper *createPlatformDialogHelper(DialogType t) const override {
        return t == FileDialog ? new PlatformFileDialog : nullptr;
    }
};

}  // namespace

class PlatformThemePlugin : public QPlatformThemePlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QPlatformThemeFactoryInterface_iid FILE "tema.json")
public:
    QPlatformTheme *create(const QString &key, const QStringList &) override {
        return key.compare("orbixteste", Qt::CaseInsensitive) == 0 ? new PlatformTheme : nullptr;
    }
};

Q_IMPORT_PLUGIN(PlatformThemePlugin)

namespace {

const char kFilter[] = "Arquivos de Dados (*.TXD)\0*.txd\0Arquivos TXT (*.TXT)\0*.txt\0Todos os Arquivos (*.*)\0*.*\0";

// Each row is stored (nativo.trace) with what the platform's dialog showed, each time, and what
// came back: the answer, the path, the title and the filter.
TEST(PlatformFileDialogChosen, GetsEveryFieldAndGivesBackTheChoice) {
    // The person picks `picked` (none: Cancel) under the filter pickedFilter (0-based).
    // clang-format off
    const struct { const char *name; bool save; DWORD flags, filterIndex; const char *defExt, *initial; std::optional<QString> picked;
                   int pickedFilter; } rows[] = {
        {"the report's save: no extension, replaced without a question", true, OFN_HIDEREADONLY, 1, nullptr,
         "/tmp/relatorios/semana.TXD", "/tmp/outra/nova.TXD", 0},
        {"a save that asks before replacing, second filter, default extension", true, OFN_OVERWRITEPROMPT, 2, "txd",
         "/tmp/a/b.txt", "/tmp/a/sem", 1},
        {"an open that must find its file, the filter changed", false, OFN_FILEMUSTEXIST, 1, "txd", "", "/tmp/c/d.txt", 1},
        {"cancelled", true, 0, 3, nullptr, "/tmp/x.TXD", std::nullopt, 0},
    };
    // clang-format on
    const QStringList filters = {"Arquivos de Dados (*.TXD) (*.txd)", "Arquivos TXT (*.TXT) (*.txt)", "Todos os Arquivos (*.*)"};
    std::string trace;
    for (const auto &r : rows) {
        shown.clear();
        answer = r.picked;
        answerFilter = filters[r.pickedFilter];
        wintest::FileRequest o(r.initial, kFilter, r.filterIndex, r.flags, r.defExt);
        // Should Qt's own dialog show instead, nobody would answer it: close it rather than hang.
        QObject guard;  // its timer goes with it
        QTimer::singleShot(2000, &guard, [] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *d = qobject_cast<QFileDialog *>(w); d && d->isVisible()) d->reject();
        });
        const BOOL ok = wintest::RunFileDialog(&o.ofn, r.save);
        trace += std::string("-- ") + r.name + "\n";
        for (const std::string &s : shown) trace += "shown: " + s + "\n";
        trace +=
            (ok ? "chosen " : "none ") + std::string(o.file) + " \"" + o.title + "\" filter " + std::to_string(o.ofn.nFilterIndex) + "\n";
    }
    EXPECT_TRUE(wintest::MatchesStoredText(ORBIX_STORED "/nativo.trace", trace));
}

}  // namespace

// Under LeakSanitizer: fontconfig and D-Bus keep caches for the life of the process on purpose.
extern "C" const char *__lsan_default_suppressions() { return "leak:libfontconfig.so\nleak:libdbus-1.so\n"; }

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    // The platform offers a file dialog of its own: Qt loads the stand-in theme by this name.
    setenv("QT_QPA_PLATFORMTHEME", "orbixteste", 1);
    wintest::Init(argc, argv);
    wintest::SetFailureHandler([](const std::string &what) { ADD_FAILURE() << what; });
    return RUN_ALL_TESTS();
}

#include "nativo_test.moc"
