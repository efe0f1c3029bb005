// What the host gives every library: Windows-1252 text as the desktop reads it and back, Qt's own
// texts in the user's language (a Win32 window still laid out left to right), and the command
// line as Windows passes it.
#include <gtest/gtest.h>

#include "testing/wintest.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

// Text through the clipboard, the one place the program hands Windows-1252 to the desktop.
void copy(const std::string &bytes) {
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
    memcpy(GlobalLock(g), bytes.c_str(), bytes.size() + 1);
    GlobalUnlock(g);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, g);
    CloseClipboard();
}

TEST(Windows1252, EachByteIsItsCharacterAndComesBack) {
    // Where Windows-1252 is not Latin-1 (0x80..0x9F), and a few where it is.
    struct Row {
        unsigned char byte;
        const char *utf8;
    };
    const Row rows[] = {{0x80, "\xE2\x82\xAC"},
                        {0x82, "\xE2\x80\x9A"},
                        {0x83, "\xC6\x92"},
                        {0x85, "\xE2\x80\xA6"},
                        {0x8A, "\xC5\xA0"},
                        {0x8C, "\xC5\x92"},
                        {0x8E, "\xC5\xBD"},
                        {0x91, "\xE2\x80\x98"},
                        {0x93, "\xE2\x80\x9C"},
                        {0x96, "\xE2\x80\x93"},
                        {0x97, "\xE2\x80\x94"},
                        {0x99, "\xE2\x84\xA2"},
                        {0x9C, "\xC5\x93"},
                        {0x9F, "\xC5\xB8"},
                        {0xA0, "\xC2\xA0"},
                        {0xC1, "\xC3\x81"},
                        {0xE7, "\xC3\xA7"},
                        {0xFF, "\xC3\xBF"},
                        {'A', "A"}};
    for (const Row &r : rows) {
        copy(std::string(1, char(r.byte)));
        EXPECT_EQ(wintest::ClipboardUtf8(), r.utf8) << int(r.byte);
    }
    std::string all;  // every byte Windows-1252 defines
    for (int b = 0x20; b <= 0xFF; ++b)
        if (b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D) all += char(b);
    copy(all);
    EXPECT_EQ(wintest::ClipboardText(), all);
    copy("\xE2\x82\xAC");  // UTF-8 bytes are three characters of their own
    EXPECT_EQ(wintest::ClipboardUtf8(), "\xC3\xA2\xE2\x80\x9A\xC2\xAC");
}

// The title of the save dialog shows which catalogue Qt speaks from (its own words, in ASCII).
TEST(QtTranslations, FollowTheLanguageAndLeaveTheLayoutLeftToRight) {
    struct Row {
        const char *locale;
        bool loaded;
        const char *saveAs;  // null: right to left, only the layout is checked
    };
    // clang-format off
    const Row rows[] = {
        {"pt_BR", true, "Salvar como"}, {"pt_PT", true, "Gravar Como"},  // a catalogue of its own
        {"de_DE", true, "Speichern unter"}, {"sw_KE", false, "Save As"}, {"he_IL", true, nullptr},
        {"", true, "Save As"},
    };
    // clang-format on
    for (const Row &r : rows) {
        SCOPED_TRACE(r.locale);
        EXPECT_EQ(wintest::UseQtLanguage(r.locale), r.loaded);
        char file[256] = "/tmp/x.TXD";
        OPENFILENAMEA ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.lpstrFile = file;
        ofn.nMaxFile = sizeof file;
        wintest::FilePerson p;
        p.cancel = true;
        EXPECT_FALSE(wintest::RunFileDialog(&ofn, true, &p));
        if (r.saveAs) {
            EXPECT_EQ(p.title, r.saveAs);
        }
        EXPECT_FALSE(p.rightToLeft);
    }
}

TEST(CommandLine, ArgumentsAreJoinedAndQuotedAsTheRuntimeReadsThem) {
    const struct {
        const char *name;
        std::vector<std::string> args;
        std::string line;
    } rows[] = {
        {"none", {}, ""},
        {"two", {"a", "aula.orbix"}, "a aula.orbix"},
        {"a space", {"minha aula"}, "\"minha aula\""},
        {"a tab", {"a\tb"}, "\"a\tb\""},
        {"empty", {""}, "\"\""},
        {"a quote", {"x\"y"}, "\"x\\\"y\""},
        {"backslashes before a quote", {"a\\\"b"}, "\"a\\\\\\\"b\""},
        {"backslashes before the closing quote", {"c:\\a b\\"}, "\"c:\\a b\\\\\""},
        {"backslashes elsewhere", {"c:\\dir\\f"}, "c:\\dir\\f"},
    };
    for (auto &r : rows) EXPECT_EQ(wintest::CommandLineFor(r.args), r.line) << r.name;
}

}  // namespace
