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

// A script as its C literal shows it, one line.
std::string escaped(const std::string &s) {
    std::string out;
    for (unsigned char c : s) {
        char hex[8];
        snprintf(hex, sizeof hex, "\\x%02X", c);
        out += c == '\n' ? "\\n" : c == '\\' ? "\\\\" : c >= 0x20 && c < 0x7F ? std::string(1, char(c)) : std::string(hex);
    }
    return out;
}

std::string read(const std::string &script, std::string *error) { return dump(rc::Parse("t.rc", script, load, error)); }

TEST(ProgramScript, ReadsAsStored) {
    EXPECT_TRUE(wintest::MatchesStoredText(ORBIX_DADOS "/orbix-rc.txt", dump(rc::ModuleScript())));
    EXPECT_NE(rc::ModuleScript().dialog("ENTNPT"), nullptr);  // lookups ignore case, as Win32's do
    EXPECT_NE(rc::ModuleScript().file("bitmaporbix", "Bitmap"), nullptr);
    EXPECT_EQ(rc::ModuleScript().file("BITMAPOrbix", "ICON"), nullptr);
}

// Each script's reading is stored after its name (readings.txt); the last is a dialog for each name
// a script uses without the SDK's headers, named after it, its style the name's value.
TEST(Reader, ReadsTheLanguageOfTheProgramsScripts) {
    std::string names;
    // clang-format off
    for (const char *n : {"WS_POPUP", "WS_VISIBLE", "WS_CAPTION", "WS_VSCROLL", "WS_SYSMENU", "WS_GROUP", "WS_TABSTOP", "WS_EX_STATICEDGE",
                          "DS_3DLOOK", "DS_MODALFRAME", "DS_CONTEXTHELP", "BS_AUTORADIOBUTTON", "ES_MULTILINE", "ES_AUTOHSCROLL",
                          "ES_READONLY", "SS_ETCHEDFRAME", "VK_LEFT", "VK_UP", "VK_RIGHT", "VK_DOWN", "VK_F1", "IDOK", "IDCANCEL"})
        names += std::string("x") + n + " DIALOGEX 0,0,1,1 STYLE " + n + " BEGIN END\n";
    const struct { const char *name; std::string script; } rows[] = {
        {"comments anywhere, '//' in a string is text, CRLF lines, the largest number, four-byte UTF-8",
         "/* a\r\n   b */ m MENU // c\r\nBEGIN MENUITEM \"x // y\t\\t\xF0\x9F\x98\x80\", /* z */ 2147483647 END\r\n"},
        {"an include read once behind its guard, its names as numbers and as resource names",
         "#include \"ids.h\"\n#include \"ids.h\"\nIDM_A MENU BEGIN MENUITEM \"a\", IDM_A MENUITEM \"b\", NEG END"},
        {"a branch that does not count is not read, #include <...> in it included",
         "#ifdef RC_INVOKED\n#include <windows.h>\n#ifndef X\n#endif\nnot read\n#endif\n#ifndef RC_INVOKED\n1 ICON \"i.ico\"\n#endif"},
        {"keywords in any case; a letter key is its capital's code",
         "k accelerators begin \"o\", 1, virtkey, control\n VK_F1, -2, VIRTKEY\n \"2\", 3, VIRTKEY, SHIFT, CONTROL end"},
        {"a dialog without STYLE is a bordered pop-up; CAPTION and FONT add their bits",
         "d DIALOGEX 1, 2, 3, 4\nCAPTION \"c\"\nFONT 8, \"F\"\nBEGIN END\ne DIALOGEX 1,2,3,4 STYLE WS_POPUP BEGIN END"},
        {"each control statement with the class and default style it implies, and a style added",
         "d DIALOGEX 0,0,9,9 BEGIN\nLTEXT \"l\", -1, 1, 2, 3, 4\nPUSHBUTTON \"p\", 1, 1, 2, 3, 4\n"
         "DEFPUSHBUTTON \"q\", 2, 1, 2, 3, 4\nGROUPBOX \"g\", 3, 1, 2, 3, 4, WS_TABSTOP\nEDITTEXT 4, 1, 2, 3, 4, ES_AUTOHSCROLL\n"
         "CONTROL \"c\", 5, \"Button\", BS_AUTORADIOBUTTON | WS_TABSTOP, 1, 2, 3, 4, WS_EX_STATICEDGE\nEND"},
        {"the names without the SDK's headers", names},
    };
    // clang-format on
    std::string readings;
    for (const auto &r : rows) {
        std::string error = "not cleared";
        readings += std::string("-- ") + r.name + "\n" + read(r.script, &error);
        EXPECT_EQ(error, "") << r.name;
    }
    EXPECT_TRUE(wintest::MatchesStoredText(ORBIX_DADOS "/readings.txt", readings));
}

// Each script is stored with its refusal (refusals.txt).
TEST(Reader, RefusesAnythingElseWithItsFileAndLine) {
    // clang-format off
    const char *const scripts[] = {
        "#if 1\n#endif", "#ifdef A\n#else\n#endif", "#undef A", "#\n", "\n#include <windows.h>", "#include \"none.h\"",
        "#include \"bad.h\"", "#include \"self.h\"", "#pragma code_page(1252)", "#define X 0x10", "#define F(a) a", "#define X 1 | 2",
        "#ifdef A\n", "#endif", "/* open\n", "m MENU BEGIN MENUITEM \"a\", 99999999999 END", "m MENU BEGIN MENUITEM \"a\\n\", 1 END",
        "m MENU BEGIN MENUITEM \"a, 1 END", "m MENU BEGIN MENUITEM \"\xC3(\", 1 END",
        "m MENU BEGIN MENUITEM \"\xE0\x80\xAF\", 1 END",  // overlong
        "m MENU BEGIN MENUITEM \"\xED\xA0\x80\", 1 END",  // a surrogate
        "m MENU BEGIN MENUITEM \"\xF4\x90\x80\x80\", 1 END",  // past U+10FFFF
        "m MENU BEGIN MENUITEM \"a\", 2147483648 END", "#include \"ids.h", "#include ids.h\"", "m MENU { }",
        "m MENU BEGIN MENUITEM \"a\", WS_CHLD END", "#include \"ids.h\"\nm MENU BEGIN MENUITEM \"a\", EMPTY END",
        "m MENU BEGIN MENUITEM \"a\", 1, GRAYED END", "m MENU BEGIN MENUITEM \"a\" 1 END", "m MENU BEGIN\nPOPUP \"p\" BEGIN\n",
        "s STRINGTABLE BEGIN END", "d DIALOG 0, 0, 9, 9 BEGIN END", "d DIALOGEX 0, 0, 9, 9 EXSTYLE 0 BEGIN END",
        "d DIALOGEX 0, 0, 9, 9 BEGIN\nCHECKBOX \"c\", 1, 1, 2, 3, 4\nEND", "k ACCELERATORS BEGIN \"o\", 1, VIRTKEY, ALT END",
        "k ACCELERATORS BEGIN \"o\", 1 END", "k ACCELERATORS BEGIN \"^C\", 1, VIRTKEY END", "b BITMAP orbix",
    };
    // clang-format on
    std::string refusals;
    for (const char *script : scripts) {
        std::string error;
        EXPECT_EQ(read(script, &error), "") << script;
        refusals += escaped(script) + "\n    " + error + "\n";
    }
    EXPECT_TRUE(wintest::MatchesStoredText(ORBIX_DADOS "/refusals.txt", refusals));
}

}  // namespace
