// COMDLG32 file dialogs as a person meets them where the platform offers none of its own (Qt's
// dialog, typed into key by key): the filters and the one chosen, the proposed path, the path
// written back with its offsets and title, the default extension, cancel, and a path that does
// not fit.
#include <gtest/gtest.h>

#include "testing/wintest.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

const char kFilter[] = "Arquivos de Dados (*.TXD)\0*.txd\0Trabalhos (*.orbix;*.txd)\0*.orbix;*.txd\0Todos (*.*)\0*.*\0";
const std::vector<std::string> kShown = {"Arquivos de Dados (*.TXD) (*.txd)", "Trabalhos (*.orbix;*.txd) (*.orbix *.txd)", "Todos (*.*)"};

// A folder of its own with a.TXD, b.TXD and sub/c.txd.
struct Folder {
    std::string path;
    Folder() {
        char t[] = "/tmp/orbix-comdlg-XXXXXX";
        path = mkdtemp(t);
        mkdir((path + "/sub").c_str(), 0755);
        for (const char *name : {"a.TXD", "b.TXD", "sub/c.txd"}) fclose(fopen((path + "/" + name).c_str(), "w"));
    }
    ~Folder() { std::system(("rm -rf " + path).c_str()); }
};

// The person types a name or (from "/") a path in the folder, or nothing to cancel; chosen is null
// when nothing is, and the filter shown is the one written back. A file that is there is replaced
// after a question only with OFN_OVERWRITEPROMPT, a missing file that must exist is told (asked:
// answered, and the dialog stays), and a path longer than the buffer (maxFile; 0: all) fails.
TEST(FileDialogs, WhatIsAskedIsShownAndWhatIsChosenIsWrittenBack) {
    Folder f;
    // clang-format off
    const struct { const char *name; bool save; DWORD flags, index; const char *defExt, *proposed, *typed, *chosen; DWORD chosenIndex, maxFile; bool asked; } rows[] = {
        {"save: the proposed file's folder and name, another name typed", true, OFN_HIDEREADONLY, 1, nullptr, "a.TXD", "novo.TXD", "novo.TXD", 1, 0, false},
        {"save: the default extension completes a bare name", true, 0, 2, "orbix", "a.TXD", "novo", "novo.orbix", 2, 0, false},
        {"save: a default extension given with its dot", true, 0, 1, ".orbix", "a.TXD", "novo", "novo.orbix", 1, 0, false},
        {"save: index 0 is the first filter", true, 0, 0, nullptr, "a.TXD", "x.TXD", "x.TXD", 1, 0, false},
        {"save: an index past the last is the first filter", true, 0, 4, nullptr, "a.TXD", "x.TXD", "x.TXD", 1, 0, false},
        {"save: a full path to another folder", true, 0, 1, nullptr, "a.TXD", "/sub/d.txd", "sub/d.txd", 1, 0, false},
        {"save: a file there replaced without a question", true, 0, 1, nullptr, "a.TXD", "b.TXD", "b.TXD", 1, 0, false},
        {"save: a file there, asked and answered No", true, OFN_OVERWRITEPROMPT, 1, nullptr, "a.TXD", "b.TXD", nullptr, 1, 0, true},
        {"save: a buffer too small for the path", true, 0, 1, nullptr, "a.TXD", "b.TXD", nullptr, 1, 10, false},
        {"open: an existing file by its name", false, OFN_FILEMUSTEXIST, 3, nullptr, "a.TXD", "b.TXD", "b.TXD", 3, 0, false},
        {"open: a file that must exist and does not", false, OFN_FILEMUSTEXIST, 1, nullptr, "a.TXD", "nada.TXD", nullptr, 1, 0, true},
        {"save, cancelled", true, 0, 1, nullptr, "a.TXD", "", nullptr, 1, 0, false},
    };
    // clang-format on
    for (const auto &r : rows) {
        SCOPED_TRACE(r.name);
        wintest::FileRequest o(f.path + "/" + r.proposed, kFilter, r.index, r.flags, r.defExt);
        if (r.maxFile) o.ofn.nMaxFile = r.maxFile;
        wintest::FilePerson p;
        p.typed = r.typed[0] == '/' ? f.path + r.typed : r.typed;
        p.cancel = !*r.typed;
        const BOOL ok = wintest::RunFileDialog(&o.ofn, r.save, &p);
        ASSERT_TRUE(p.shown);
        EXPECT_TRUE(p.active) << "the dialog takes the keyboard";
        EXPECT_EQ(p.title + " " + p.directory + " " + p.proposed, (r.save ? "Save As " : "Open ") + f.path + " " + r.proposed);
        EXPECT_EQ(p.filters, kShown);
        EXPECT_EQ(p.selectedFilter, kShown[r.chosenIndex - 1]);
        EXPECT_EQ(o.ofn.nFilterIndex, r.chosenIndex);
        const std::string chosen = f.path + "/" + (r.chosen ? r.chosen : r.proposed);
        EXPECT_EQ(bool(ok), r.chosen != nullptr);
        EXPECT_EQ(o.file, chosen) << "left as it was when nothing is chosen";
        EXPECT_STREQ(o.title, r.chosen ? chosen.substr(chosen.rfind('/') + 1).c_str() : "antes");
        EXPECT_EQ(p.asked, r.asked);
        if (!r.chosen && !r.asked) continue;
        EXPECT_EQ(p.stayedOpen, r.asked);
    }
}

}  // namespace
