// The resource-script reader: the program's own script as built in, read whole and compared with
// its stored reading; then small scripts for what the program's script does not show at once, the
// statements refused with their file and line, and the names it knows without the SDK's headers.
// Unlike the program, this test keeps UTF-8 narrow strings, the bytes the reader gives.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <optional>
#include <string>

#include "rc/rc.h"
#include "rc/resources.h"
#include "testing/stored.h"

namespace {

std::string quoted(const std::string &s) {
    std::string out = "\"";
    for (char c : s) out += c == '\t' ? std::string("\\t") : std::string(1, c);
    return out + "\"";
}

void dumpItems(const std::vector<rc::MenuItem> &items, const std::string &indent, std::string &out) {
    for (const rc::MenuItem &i : items) {
        if (i.separator)
            out += indent + "SEPARATOR\n";
        else if (i.popup)
            out += indent + "POPUP " + quoted(i.text) + "\n";
        else
            out += indent + "MENUITEM " + quoted(i.text) + " " + std::to_string(i.id) + "\n";
        dumpItems(i.items, indent + "  ", out);
    }
}

// A script as one line a statement, every field it keeps written out.
std::string dump(const rc::Script &s) {
    std::string out;
    char n[96];
    for (const rc::Menu &m : s.menus) out += "MENU " + m.name + "\n", dumpItems(m.items, "  ", out);
    for (const rc::AcceleratorTable &t : s.accelerators) {
        out += "ACCELERATORS " + t.name + "\n";
        for (const rc::Accelerator &a : t.keys)
            out += "  key " + std::to_string(a.key) + " id " + std::to_string(a.id) + (a.control ? " CONTROL" : "") +
                   (a.shift ? " SHIFT\n" : "\n");
    }
    for (const rc::Dialog &d : s.dialogs) {
        snprintf(n, sizeof n, " %d,%d,%d,%d style %08x font %d ", d.x, d.y, d.w, d.h, d.style, d.fontSize);
        out += "DIALOG " + d.name + n + quoted(d.fontName) + " caption " + quoted(d.caption) + "\n";
        for (const rc::Control &c : d.controls) {
            snprintf(n, sizeof n, " %d %d,%d,%d,%d style %08x ", c.id, c.x, c.y, c.w, c.h, c.style);
            out += "  " + c.cls + n + quoted(c.text) + "\n";
        }
    }
    for (const rc::FileResource &f : s.files) out += f.type + " " + f.name + " " + quoted(f.file) + "\n";
    return out;
}

const std::map<std::string, std::string> includes = {
    {"ids.h", "#ifndef IDS_H\n#define IDS_H\n#define IDM_A 7 /* seven */\n#define NEG -3\n#define EMPTY\n#endif\n"},
    {"bad.h", "#define A 1\n#if A\n"},
    {"self.h", "#include \"self.h\"\n"},
};
std::optional<std::string> load(const std::string &name) {
    const auto f = includes.find(name);
    return f == includes.end() ? std::nullopt : std::optional<std::string>(f->second);
}

std::string read(const std::string &script, std::string *error) { return dump(rc::Parse("t.rc", script, load, error)); }

TEST(ProgramScript, ReadsAsStored) {
    EXPECT_TRUE(wintest::MatchesStoredText(ORBIX_DADOS "/orbix-rc.txt", dump(rc::ModuleScript())));
    EXPECT_NE(rc::ModuleScript().dialog("ENTNPT"), nullptr);  // lookups ignore case, as Win32's do
    EXPECT_NE(rc::ModuleScript().file("bitmaporbix", "Bitmap"), nullptr);
    EXPECT_EQ(rc::ModuleScript().file("BITMAPOrbix", "ICON"), nullptr);
}

TEST(Reader, ReadsTheLanguageOfTheProgramsScripts) {
    // clang-format off
    const struct { const char *name, *script, *dump; } rows[] = {
        {"comments anywhere, '//' in a string is text, CRLF lines, the largest number, four-byte UTF-8",
         "/* a\r\n   b */ m MENU // c\r\nBEGIN MENUITEM \"x // y\t\\t\xF0\x9F\x98\x80\", /* z */ 2147483647 END\r\n",
         "MENU m\n  MENUITEM \"x // y\\t\\t\xF0\x9F\x98\x80\" 2147483647\n"},
        {"an include read once behind its guard, its names as numbers and as resource names",
         "#include \"ids.h\"\n#include \"ids.h\"\nIDM_A MENU BEGIN MENUITEM \"a\", IDM_A MENUITEM \"b\", NEG END",
         "MENU #7\n  MENUITEM \"a\" 7\n  MENUITEM \"b\" -3\n"},
        {"a branch that does not count is not read, #include <...> in it included",
         "#ifdef RC_INVOKED\n#include <windows.h>\n#ifndef X\n#endif\nnot read\n#endif\n#ifndef RC_INVOKED\n1 ICON \"i.ico\"\n#endif",
         "ICON #1 \"i.ico\"\n"},
        {"keywords in any case; a letter key is its capital's code",
         "k accelerators begin \"o\", 1, virtkey, control\n VK_F1, -2, VIRTKEY\n \"2\", 3, VIRTKEY, SHIFT, CONTROL end",
         "ACCELERATORS k\n  key 79 id 1 CONTROL\n  key 112 id -2\n  key 50 id 3 CONTROL SHIFT\n"},
        {"a dialog without STYLE is a bordered pop-up; CAPTION and FONT add their bits",
         "d DIALOGEX 1, 2, 3, 4\nCAPTION \"c\"\nFONT 8, \"F\"\nBEGIN END\ne DIALOGEX 1,2,3,4 STYLE WS_POPUP BEGIN END",
         "DIALOG d 1,2,3,4 style 80c80040 font 8 \"F\" caption \"c\"\nDIALOG e 1,2,3,4 style 80000000 font 0 \"\" caption \"\"\n"},
        {"each control statement with the class and default style it implies, and a style added",
         "d DIALOGEX 0,0,9,9 BEGIN\nLTEXT \"l\", -1, 1, 2, 3, 4\nPUSHBUTTON \"p\", 1, 1, 2, 3, 4\n"
         "DEFPUSHBUTTON \"q\", 2, 1, 2, 3, 4\nGROUPBOX \"g\", 3, 1, 2, 3, 4, WS_TABSTOP\nEDITTEXT 4, 1, 2, 3, 4, ES_AUTOHSCROLL\n"
         "CONTROL \"c\", 5, \"Button\", BS_AUTORADIOBUTTON | WS_TABSTOP, 1, 2, 3, 4, WS_EX_STATICEDGE\nEND",
         "DIALOG d 0,0,9,9 style 80880000 font 0 \"\" caption \"\"\n  STATIC -1 1,2,3,4 style 50020000 \"l\"\n"
         "  BUTTON 1 1,2,3,4 style 50010000 \"p\"\n  BUTTON 2 1,2,3,4 style 50010001 \"q\"\n"
         "  BUTTON 3 1,2,3,4 style 50010007 \"g\"\n  EDIT 4 1,2,3,4 style 50810080 \"\"\n"
         "  BUTTON 5 1,2,3,4 style 50010009 \"c\"\n"},
    };
    // clang-format on
    for (const auto &r : rows) {
        std::string error = "not cleared";
        EXPECT_EQ(read(r.script, &error), r.dump) << r.name;
        EXPECT_EQ(error, "") << r.name;
    }
}

TEST(Reader, RefusesAnythingElseWithItsFileAndLine) {
    // clang-format off
    const struct { const char *script, *error; } rows[] = {
        {"#if 1\n#endif", "t.rc, line 1: #if is not read here"},
        {"#ifdef A\n#else\n#endif", "t.rc, line 2: #else is not read here"},
        {"#undef A", "t.rc, line 1: #undef is not read here"},
        {"#\n", "t.rc, line 1: a directive was expected after '#'"},
        {"\n#include <windows.h>", "t.rc, line 2: #include reads only \"file\""},
        {"#include \"none.h\"", "t.rc, line 1: cannot include \"none.h\""},
        {"#include \"bad.h\"", "bad.h, line 2: #if is not read here"},
        {"#include \"self.h\"", "self.h, line 1: includes nested too deeply"},
        {"#pragma code_page(1252)", "t.rc, line 1: the only #pragma read is code_page(65001)"},
        {"#define X 0x10", "t.rc, line 1: only decimal numbers are read, not '0x...'"},
        {"#define F(a) a", "t.rc, line 1: unexpected character '('"},
        {"#define X 1 | 2", "t.rc, line 1: #define X takes one decimal number or nothing"},
        {"#ifdef A\n", "t.rc, line 1: #ifdef or #ifndef without its #endif"},
        {"#endif", "t.rc, line 1: #endif without its #ifdef or #ifndef"},
        {"/* open\n", "t.rc, line 2: comment without its end"},
        {"m MENU BEGIN MENUITEM \"a\", 99999999999 END", "t.rc, line 1: number too large"},
        {"m MENU BEGIN MENUITEM \"a\\n\", 1 END", "t.rc, line 1: the only escape read in a string is \\t"},
        {"m MENU BEGIN MENUITEM \"a, 1 END", "t.rc, line 1: string without its closing quote"},
        {"m MENU BEGIN MENUITEM \"\xC3(\", 1 END", "t.rc, line 1: string is not valid UTF-8"},
        {"m MENU BEGIN MENUITEM \"\xE0\x80\xAF\", 1 END", "t.rc, line 1: string is not valid UTF-8"},  // overlong
        {"m MENU BEGIN MENUITEM \"\xED\xA0\x80\", 1 END", "t.rc, line 1: string is not valid UTF-8"},  // a surrogate
        {"m MENU BEGIN MENUITEM \"\xF4\x90\x80\x80\", 1 END", "t.rc, line 1: string is not valid UTF-8"},  // past U+10FFFF
        {"m MENU BEGIN MENUITEM \"a\", 2147483648 END", "t.rc, line 1: number too large"},
        {"#include \"ids.h", "t.rc, line 1: #include reads only \"file\""},
        {"#include ids.h\"", "t.rc, line 1: #include reads only \"file\""},
        {"m MENU { }", "t.rc, line 1: unexpected character '{'"},
        {"m MENU BEGIN MENUITEM \"a\", WS_CHLD END", "t.rc, line 1: unknown name 'WS_CHLD'"},
        {"#include \"ids.h\"\nm MENU BEGIN MENUITEM \"a\", EMPTY END", "t.rc, line 2: 'EMPTY' is defined as nothing"},
        {"m MENU BEGIN MENUITEM \"a\", 1, GRAYED END", "t.rc, line 1: MENUITEM, POPUP or END expected, not ','"},
        {"m MENU BEGIN MENUITEM \"a\" 1 END", "t.rc, line 1: ',' was expected, not number 1"},
        {"m MENU BEGIN\nPOPUP \"p\" BEGIN\n", "t.rc, line 3: MENUITEM, POPUP or END expected, not end of script"},
        {"s STRINGTABLE BEGIN END", "t.rc, line 1: resource type expected (MENU, ACCELERATORS, DIALOGEX, BITMAP, ICON or "
                                    "RT_MANIFEST), not 'STRINGTABLE'"},
        {"d DIALOG 0, 0, 9, 9 BEGIN END", "t.rc, line 1: resource type expected"},
        {"d DIALOGEX 0, 0, 9, 9 EXSTYLE 0 BEGIN END", "t.rc, line 1: STYLE, CAPTION, FONT or BEGIN expected, not 'EXSTYLE'"},
        {"d DIALOGEX 0, 0, 9, 9 BEGIN\nCHECKBOX \"c\", 1, 1, 2, 3, 4\nEND", "t.rc, line 2: control statement (CONTROL,"},
        {"k ACCELERATORS BEGIN \"o\", 1, VIRTKEY, ALT END", "t.rc, line 1: CONTROL was expected, not 'ALT'"},
        {"k ACCELERATORS BEGIN \"o\", 1 END", "t.rc, line 1: ',' was expected, not 'END'"},
        {"k ACCELERATORS BEGIN \"^C\", 1, VIRTKEY END", "t.rc, line 1: a key in quotes is one letter or digit"},
        {"b BITMAP orbix", "t.rc, line 1: file name in quotes expected, not 'orbix'"},
    };
    // clang-format on
    for (const auto &r : rows) {
        std::string error;
        EXPECT_EQ(read(r.script, &error), "") << r.script;
        EXPECT_EQ(error.substr(0, strlen(r.error)), r.error) << r.script;
    }
}

// The names a script uses without the SDK's headers, with the SDK's values (those the layer's
// headers lack written out).
TEST(Reader, BuiltInNamesHaveTheSdksValues) {
    const std::pair<const char *, long> names[] = {{"WS_POPUP", 0x80000000L},
                                                   {"WS_VISIBLE", WS_VISIBLE},
                                                   {"WS_CAPTION", WS_CAPTION},
                                                   {"WS_VSCROLL", WS_VSCROLL},
                                                   {"WS_SYSMENU", WS_SYSMENU},
                                                   {"WS_GROUP", WS_GROUP},
                                                   {"WS_TABSTOP", WS_TABSTOP},
                                                   {"WS_EX_STATICEDGE", 0x20000},
                                                   {"DS_3DLOOK", 0x4},
                                                   {"DS_MODALFRAME", 0x80},
                                                   {"DS_CONTEXTHELP", 0x2000},
                                                   {"BS_AUTORADIOBUTTON", BS_AUTORADIOBUTTON},
                                                   {"ES_MULTILINE", ES_MULTILINE},
                                                   {"ES_AUTOHSCROLL", 0x80},
                                                   {"ES_READONLY", ES_READONLY},
                                                   {"SS_ETCHEDFRAME", SS_ETCHEDFRAME},
                                                   {"VK_LEFT", VK_LEFT},
                                                   {"VK_UP", VK_UP},
                                                   {"VK_RIGHT", VK_RIGHT},
                                                   {"VK_DOWN", VK_DOWN},
                                                   {"VK_F1", VK_F1},
                                                   {"IDOK", IDOK},
                                                   {"IDCANCEL", IDCANCEL}};
    for (const auto &[name, value] : names) {
        std::string error;
        const rc::Script s = rc::Parse("t.rc", std::string("d DIALOGEX 0,0,1,1 STYLE ") + name + " BEGIN END", load, &error);
        ASSERT_EQ(error, "") << name;
        EXPECT_EQ(s.dialogs.at(0).style, uint32_t(value)) << name;
    }
}

}  // namespace
