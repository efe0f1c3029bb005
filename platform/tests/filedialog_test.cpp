// The file dialog a person meets where the platform offers none of its own: Qt's dialog, driven
// key by key as a person drives it, with every OPENFILENAMEA field kept in its meaning.
#include <gtest/gtest.h>

#include "qt/host.h"
#include "testing/wintest.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <string>

namespace {

QFileDialog *openDialog() {
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *d = qobject_cast<QFileDialog *>(w); d && d->isVisible()) return d;
    return nullptr;
}

void key(QWidget *w, int k, const QString &text = {}) {
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &release);
}

struct Person {
    QString typed;                     // what goes into the name field, key by key
    bool saveButton = false;           // Save (or Open) clicked instead of Enter
    std::function<void(QFileDialog *)> look;  // a look at the dialog before typing
    int answer = QMessageBox::Ok;      // to a question the dialog asks (Yes or No to replacing)
    bool asked = false;                // a question came
    bool stayedOpen = false;           // the dialog was still open after the person acted
};

// Runs the layer's own dialog with a person acting on it once it shows.
BOOL runWith(OPENFILENAMEA &ofn, bool save, Person &p) {
    QTimer::singleShot(0, [&p, save] {
        QFileDialog *d = openDialog();
        if (!d) {
            ADD_FAILURE() << "no dialog of Qt's own showed";
            return;
        }
        if (p.look) p.look(d);
        auto *edit = d->findChild<QLineEdit *>("fileNameEdit");
        ASSERT_NE(edit, nullptr);
        // The keyboard is in the name field, as for a person typing into it.
        d->activateWindow();
        QCoreApplication::processEvents();
        edit->setFocus();
        EXPECT_TRUE(edit->hasFocus());
        edit->selectAll();
        key(edit, Qt::Key_Delete);
        for (QChar c : p.typed) key(edit, 0, QString(c));
        // A question Qt's dialog asks (replace? not found?) is answered as the person would.
        QTimer::singleShot(0, [&p] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible()) {
                    p.asked = true;
                    auto *b = box->button(QMessageBox::StandardButton(p.answer));
                    b ? b->click() : box->reject();
                }
        });
        if (p.saveButton) {
            auto *box = d->findChild<QDialogButtonBox *>("buttonBox");
            ASSERT_NE(box, nullptr);
            box->button(save ? QDialogButtonBox::Save : QDialogButtonBox::Open)->click();
        } else {
            key(edit, Qt::Key_Return);
        }
        if (d->isVisible()) {
            p.stayedOpen = true;
            d->reject();
        }
    });
    return host::runFileDialog(&ofn, save);
}

const char kFilter[] = "Arquivos de Dados (*.TXD)\0*.txd\0Arquivos TXT (*.TXT)\0*.txt\0Todos os Arquivos (*.*)\0*.*\0";

struct Folder {
    QTemporaryDir root;
    QString path(const QString &rel) const { return QDir(root.path()).filePath(rel); }
    void make(const QString &rel) const {
        QDir().mkpath(QFileInfo(path(rel)).absolutePath());
        QFile f(path(rel));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("velho");
    }
};

struct Ofn {
    OPENFILENAMEA ofn{};
    char file[256] = "";
    char title[64] = "";
    Ofn(DWORD flags, const std::string &initial, const char *defExt = nullptr) {
        ofn.lStructSize = sizeof ofn;
        ofn.lpstrFilter = kFilter;
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = file;
        ofn.nMaxFile = sizeof file;
        ofn.lpstrFileTitle = title;
        ofn.nMaxFileTitle = 63;
        ofn.Flags = flags;
        ofn.lpstrDefExt = defExt;
        snprintf(file, sizeof file, "%s", initial.c_str());
    }
};

std::string local(const QString &s) { return s.toLocal8Bit().toStdString(); }

TEST(OwnFileDialog, TakesAnExistingFileByItsNameOrItsPathInEveryState) {
    // "typed" is relative to the folder; a leading '/' asks for the full path.
    struct Row {
        const char *name, *proposed, *initialDir, *typed, *chosen;
        bool save = true;
    };
    const Row rows[] = {
        {"bare name, proposing another file of the folder", "d/A.TXD", nullptr, "B.TXD", "d/B.TXD"},
        {"full path, proposing another file of the folder", "d/A.TXD", nullptr, "/d/B.TXD", "d/B.TXD"},
        {"bare name, proposing that file", "d/B.TXD", nullptr, "B.TXD", "d/B.TXD"},
        {"full path, proposing that file", "d/B.TXD", nullptr, "/d/B.TXD", "d/B.TXD"},
        {"full path, proposing a file of another folder", "e/C.TXD", nullptr, "/d/B.TXD", "d/B.TXD"},
        {"full path, proposing nothing, opened in another folder", "", "e", "/d/B.TXD", "d/B.TXD"},
        {"bare name, proposing nothing, opened in that folder", "", "d", "B.TXD", "d/B.TXD"},
        {"open: bare name, proposing another file of the folder", "d/A.TXD", nullptr, "B.TXD", "d/B.TXD", false},
        {"open: full path, proposing another file of the folder", "d/A.TXD", nullptr, "/d/B.TXD", "d/B.TXD", false},
    };
    for (const Row &r : rows)
        for (bool button : {false, true}) {
            SCOPED_TRACE(std::string(r.name) + (button ? ", Save (Open) clicked" : ", Enter"));
            Folder f;
            for (const char *rel : {"d/A.TXD", "d/B.TXD", "e/C.TXD"}) f.make(rel);
            Ofn o(r.save ? OFN_HIDEREADONLY : OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                  *r.proposed ? local(f.path(r.proposed)) : "");
            std::string initialDir = r.initialDir ? local(f.path(r.initialDir)) : "";
            if (r.initialDir) o.ofn.lpstrInitialDir = initialDir.c_str();
            Person p;
            p.typed = r.typed[0] == '/' ? f.path(r.typed + 1) : QString(r.typed);
            p.saveButton = button;
            EXPECT_TRUE(runWith(o.ofn, r.save, p));
            EXPECT_FALSE(p.stayedOpen);
            EXPECT_EQ(o.file, local(f.path(r.chosen)));
            EXPECT_STREQ(o.title, "B.TXD");
        }
}

TEST(OwnFileDialog, AsksBeforeReplacingOnlyWhenOverwritePromptIsSet) {
    struct Row {
        const char *name;
        DWORD flags;
        int answer;
        bool asked, saved;
    };
    const Row rows[] = {
        {"no prompt flag: replaced without a question", OFN_HIDEREADONLY, QMessageBox::No, false, true},
        {"prompt flag, Yes: replaced", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, QMessageBox::Yes, true, true},
        {"prompt flag, No: the dialog stays", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, QMessageBox::No, true, false},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.name);
        Folder f;
        f.make("d/A.TXD");
        f.make("d/B.TXD");
        Ofn o(r.flags, local(f.path("d/A.TXD")));
        Person p;
        p.typed = f.path("d/B.TXD");
        p.answer = r.answer;
        EXPECT_EQ(runWith(o.ofn, true, p), r.saved ? TRUE : FALSE);
        EXPECT_EQ(p.asked, r.asked);
        EXPECT_EQ(p.stayedOpen, !r.saved);
    }
}

TEST(OwnFileDialog, KeepsTheTitleFiltersDefaultExtensionAndTheMustExistRule) {
    Folder f;
    f.make("d/trabalho.orbix");
    const char work[] = "Trabalhos do Orbix (*.orbix)\0*.orbix\0Todos os Arquivos (*.*)\0*.*\0";
    struct Row {
        const char *name;
        bool save;
        DWORD flags;
        const char *title, *typed, *chosen;  // chosen null: nothing is chosen, the dialog stays
        const char *shownTitle;
    };
    const Row rows[] = {
        {"save, no title: Qt's own title", true, OFN_HIDEREADONLY, nullptr, "novo", "d/novo.orbix", "Save As"},
        {"save with a title, name with its own extension", true, 0, "Salvar trabalho", "novo.txt", "d/novo.txt",
         "Salvar trabalho"},
        {"open an existing work file by its name without extension", false, OFN_FILEMUSTEXIST, nullptr, "trabalho",
         "d/trabalho.orbix", "Open"},
        {"open a file that does not exist", false, OFN_FILEMUSTEXIST, nullptr, "nada.orbix", nullptr, "Open"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.name);
        Ofn o(r.flags, "", "orbix");
        std::string dir = local(f.path("d"));
        o.ofn.lpstrInitialDir = dir.c_str();
        o.ofn.lpstrFilter = work;
        o.ofn.nFilterIndex = 2;
        o.ofn.lpstrTitle = r.title;
        QString title;
        QStringList filters;
        QString selected;
        Person p;
        p.typed = r.typed;
        p.look = [&](QFileDialog *d) {
            title = d->windowTitle();
            filters = d->nameFilters();
            selected = d->selectedNameFilter();
        };
        EXPECT_EQ(runWith(o.ofn, r.save, p), r.chosen ? TRUE : FALSE);
        EXPECT_EQ(title, r.shownTitle);
        EXPECT_EQ(filters, QStringList({"Trabalhos do Orbix (*.orbix)", "Todos os Arquivos (*.*)"}));
        EXPECT_EQ(selected, filters.value(1));
        if (r.chosen) {
            EXPECT_EQ(o.file, local(f.path(r.chosen)));
            EXPECT_EQ(o.ofn.nFilterIndex, 2u);
        } else {
            EXPECT_TRUE(p.asked);  // "not found"
            EXPECT_TRUE(p.stayedOpen);
            EXPECT_STREQ(o.file, "");
        }
    }
}

TEST(OwnFileDialog, ShowsTheFilterAskedForAndReportsTheOneUsed) {
    Folder f;
    f.make("d/trabalho.orbix");
    const char filter[] = "Trabalhos (*.orbix;*.txd)\0*.orbix;*.txd\0Todos (*.*)\0*.*\0";
    struct Row {
        const char *name;
        DWORD index;
        const char *defExt, *initialDir, *typed, *chosen;
        bool titleBuffer;
        DWORD maxTitle;
    };
    // Windows reads an index of 0, or one past the last filter, as the first filter; what comes
    // back is the filter in use, counted from 1.
    const Row rows[] = {
        {"index 0", 0, "orbix", "d", "novo", "d/novo.orbix", true, 63},
        {"index past the last filter", 3, "orbix", "d", "novo", "d/novo.orbix", true, 63},
        {"default extension written with its dot", 1, ".orbix", "d", "novo", "d/novo.orbix", true, 63},
        {"no file and no folder proposed, no title wanted", 1, nullptr, nullptr, "/d/trabalho.orbix", "d/trabalho.orbix",
         false, 63},
        {"a new file by its full path, from another folder", 1, nullptr, nullptr, "/d/novo.txd", "d/novo.txd", true, 63},
        {"a new file by its full path, from its own folder", 1, "orbix", "d", "/d/novo", "d/novo.orbix", true, 63},
        {"a title buffer of no size is left alone", 1, nullptr, "d", "novo.txd", "d/novo.txd", true, 0},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.name);
        Ofn o(OFN_HIDEREADONLY, "", r.defExt);
        std::string dir = r.initialDir ? local(f.path(r.initialDir)) : "";
        o.ofn.lpstrInitialDir = r.initialDir ? dir.c_str() : nullptr;
        o.ofn.lpstrFilter = filter;
        o.ofn.nFilterIndex = r.index;
        snprintf(o.title, sizeof o.title, "antes");
        o.ofn.lpstrFileTitle = r.titleBuffer ? o.title : nullptr;
        o.ofn.nMaxFileTitle = r.maxTitle;
        QStringList filters;
        QString selected;
        Person p;
        p.typed = r.typed[0] == '/' ? f.path(r.typed + 1) : QString(r.typed);
        p.look = [&](QFileDialog *d) {
            filters = d->nameFilters();
            selected = d->selectedNameFilter();
        };
        EXPECT_TRUE(runWith(o.ofn, true, p));
        EXPECT_EQ(filters, QStringList({"Trabalhos (*.orbix;*.txd) (*.orbix *.txd)", "Todos (*.*)"}));
        EXPECT_EQ(selected, filters.value(0));
        EXPECT_EQ(o.ofn.nFilterIndex, 1u);
        EXPECT_EQ(o.file, local(f.path(r.chosen)));
        EXPECT_EQ(o.title, r.titleBuffer && r.maxTitle ? local(QFileInfo(r.chosen).fileName()) : "antes");
    }
}

}  // namespace
