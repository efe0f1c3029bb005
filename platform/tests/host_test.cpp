// What the host gives every library: Windows-1252 text as the desktop reads it and back, Qt's own
// texts in the user's language (a Win32 window still laid out left to right), and the command
// line as Windows passes it.
#include <gtest/gtest.h>

#include "testing/stored.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Every byte Windows-1252 defines, one a line after its code, as the desktop reads it (stored);
// and the bytes as they went. The clipboard is the one place the program hands Windows-1252 to the
// desktop.
TEST(Windows1252, EachByteIsItsCharacterAndComesBack) {
    std::string all, lines;
    for (int b = 0x20; b <= 0xFF; ++b)
        if (b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D) {
            char line[8];
            snprintf(line, sizeof line, "%02X %c\n", b, b);
            all += char(b), lines += line;
        }
    wintest::CopyText(lines);
    EXPECT_TRUE(wintest::MatchesStoredText(ORBIX_STORED "/windows-1252.txt", wintest::ClipboardUtf8()));
    wintest::CopyText(all);
    EXPECT_EQ(wintest::ClipboardText(), all);
    wintest::CopyText("\xE2\x82\xAC");  // UTF-8 bytes are three characters of their own
    EXPECT_EQ(wintest::ClipboardUtf8(), "\xC3\xA2\xE2\x80\x9A\xC2\xAC");
}

// The title of the save dialog shows which catalogue Qt speaks from (its own words, in ASCII).
TEST(QtTranslations, FollowTheLanguageAndLeaveTheLayoutLeftToRight) {
    // clang-format off
    const struct { const char *locale; bool loaded; const char *saveAs; } rows[] = {  // saveAs null: right to left, the layout alone
        {"pt_BR", true, "Salvar como"}, {"pt_PT", true, "Gravar Como"},  // a catalogue of its own
        {"de_DE", true, "Speichern unter"}, {"sw_KE", false, "Save As"}, {"he_IL", true, nullptr},
        {"", true, "Save As"},
    };
    // clang-format on
    for (const auto &r : rows) {
        SCOPED_TRACE(r.locale);
        EXPECT_EQ(wintest::UseQtLanguage(r.locale), r.loaded);
        wintest::FileRequest o("/tmp/x.TXD");
        wintest::FilePerson p;
        p.cancel = true;
        EXPECT_FALSE(wintest::RunFileDialog(&o.ofn, true, &p));
        if (r.saveAs) {
            EXPECT_EQ(p.title, r.saveAs);
        }
        EXPECT_FALSE(p.rightToLeft);
    }
}

TEST(CommandLine, ArgumentsAreJoinedAndQuotedAsTheRuntimeReadsThem) {
    // clang-format off
    const struct { const char *name; std::vector<std::string> args; std::string line; } rows[] = {
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
    // clang-format on
    for (auto &r : rows) EXPECT_EQ(wintest::CommandLineFor(r.args), r.line) << r.name;
}

}  // namespace
