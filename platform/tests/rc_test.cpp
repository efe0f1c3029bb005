// Tests of the resource script reader: the language on small scripts, then the program's own
// script as it is built into the executable.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "rc/rc.h"
#include "rc/resources.h"

namespace {

// Expected texts are written with \u escapes, so the source stays ASCII and the bytes are
// UTF-8 whatever the compiler's execution character set.
std::string U8(const char8_t* s) { return std::string(reinterpret_cast<const char*>(s)); }

constexpr uint32_t kChildVisible = WS_CHILD | WS_VISIBLE;

rc::Script ParseOk(std::string_view text, std::map<std::string, std::string> includes = {}) {
    std::string error = "not cleared";
    rc::Script s = rc::Parse(
        text,
        [&](const std::string& name) -> std::optional<std::string> {
            auto it = includes.find(name);
            if (it == includes.end()) return std::nullopt;
            return it->second;
        },
        &error);
    EXPECT_EQ(error, "") << text;
    return s;
}

std::string ParseError(std::string_view text) {
    std::string error;
    rc::Script s = rc::Parse(text, [](const std::string&) { return std::nullopt; }, &error);
    EXPECT_TRUE(s.menus.empty() && s.dialogs.empty() && s.files.empty()) << "a failed parse returns nothing";
    return error;
}

// One control, alone in a dialog.
rc::Control OneControl(const std::string& statement) {
    const rc::Script s = ParseOk("d DIALOG 0, 0, 10, 10\nBEGIN\n" + statement + "\nEND\n");
    EXPECT_EQ(s.dialogs.size(), 1u);
    if (s.dialogs.size() != 1 || s.dialogs[0].controls.size() != 1) {
        ADD_FAILURE() << "no single control in: " << statement;
        return {};
    }
    return s.dialogs[0].controls[0];
}

// ------------------------------------------------------------------ the language

struct ControlRow {
    const char* name;
    const char* statement;
    const char* cls;
    uint32_t style;
};

TEST(RcControls, StatementsGiveClassAndCompleteStyle) {
    const ControlRow rows[] = {
        {"ltext", "LTEXT \"a\", 5, 1, 2, 3, 4", "STATIC", kChildVisible | SS_LEFT | WS_GROUP},
        {"ctext", "CTEXT \"a\", 5, 1, 2, 3, 4", "STATIC", kChildVisible | 0x1 | WS_GROUP},
        {"rtext", "RTEXT \"a\", 5, 1, 2, 3, 4", "STATIC", kChildVisible | 0x2 | WS_GROUP},
        {"pushbutton", "PUSHBUTTON \"a\", 5, 1, 2, 3, 4", "BUTTON", kChildVisible | BS_PUSHBUTTON | WS_TABSTOP},
        {"defpushbutton", "DEFPUSHBUTTON \"a\", 5, 1, 2, 3, 4", "BUTTON", kChildVisible | BS_DEFPUSHBUTTON | WS_TABSTOP},
        {"groupbox", "GROUPBOX \"a\", 5, 1, 2, 3, 4", "BUTTON", kChildVisible | BS_GROUPBOX},
        {"autoradiobutton", "AUTORADIOBUTTON \"a\", 5, 1, 2, 3, 4", "BUTTON", kChildVisible | BS_AUTORADIOBUTTON | WS_TABSTOP},
        {"icon", "ICON \"pic\", 5, 1, 2, 3, 4", "STATIC", kChildVisible | 0x3},
        {"checkbox", "CHECKBOX \"a\", 5, 1, 2, 3, 4", "BUTTON", kChildVisible | 0x2 | WS_TABSTOP},
        {"edittext", "EDITTEXT 5, 1, 2, 3, 4", "EDIT", kChildVisible | ES_LEFT | WS_BORDER | WS_TABSTOP},
        {"control keeps only what it is given", "CONTROL \"a\", 5, \"Button\", BS_AUTORADIOBUTTON, 1, 2, 3, 4", "BUTTON",
         kChildVisible | BS_AUTORADIOBUTTON},
        {"control class upper-cased", "CONTROL \"a\", 5, \"sTaTiC\", 0, 1, 2, 3, 4", "STATIC", kChildVisible},
        {"control class as a bare word", "CONTROL \"a\", 5, Edit, 0, 1, 2, 3, 4", "EDIT", kChildVisible},
        {"commas left out", "LTEXT \"a\" 5 1 2 3 4", "STATIC", kChildVisible | SS_LEFT | WS_GROUP},
        {"lower-case keyword", "ltext \"a\", 5, 1, 2, 3, 4", "STATIC", kChildVisible | SS_LEFT | WS_GROUP},
    };
    for (const ControlRow& r : rows) {
        SCOPED_TRACE(r.name);
        const rc::Control c = OneControl(r.statement);
        EXPECT_EQ(c.cls, r.cls);
        EXPECT_EQ(c.style, r.style);
        EXPECT_EQ(c.id, 5);
        EXPECT_EQ((std::vector<int>{c.x, c.y, c.w, c.h}), (std::vector<int>{1, 2, 3, 4}));
    }
}

TEST(RcControls, StyleExpressions) {
    const ControlRow rows[] = {
        {"or of names", "CONTROL \"\", 5, \"Button\", BS_AUTORADIOBUTTON | WS_TABSTOP, 1, 2, 3, 4", "BUTTON",
         kChildVisible | BS_AUTORADIOBUTTON | WS_TABSTOP},
        {"NOT clears a default bit", "EDITTEXT 5, 1, 2, 3, 4, ES_MULTILINE | NOT WS_BORDER", "EDIT",
         kChildVisible | ES_MULTILINE | WS_TABSTOP},
        {"NOT then the same name again", "LTEXT \"a\", 5, 1, 2, 3, 4, NOT WS_GROUP | WS_GROUP", "STATIC",
         kChildVisible | WS_GROUP},
        {"NOT of a control's implied visibility", "CONTROL \"\", 5, \"Static\", NOT WS_VISIBLE, 1, 2, 3, 4", "STATIC",
         WS_CHILD},
        {"hexadecimal and decimal", "CONTROL \"\", 5, \"Static\", 0x10 | 2L, 1, 2, 3, 4", "STATIC",
         kChildVisible | SS_ETCHEDFRAME},
        {"parentheses", "CONTROL \"\", 5, \"Button\", (WS_TABSTOP | WS_GROUP), 1, 2, 3, 4", "BUTTON",
         kChildVisible | WS_TABSTOP | WS_GROUP},
        {"arithmetic in positions", "CONTROL \"\", 5, \"Button\", 0, 2 - 1, 1 + 1, 6 / 2, (1 << 2), WS_EX_STATICEDGE",
         "BUTTON", kChildVisible},
    };
    for (const ControlRow& r : rows) {
        SCOPED_TRACE(r.name);
        const rc::Control c = OneControl(r.statement);
        EXPECT_EQ(c.cls, r.cls);
        EXPECT_EQ(c.style, r.style);
        EXPECT_EQ((std::vector<int>{c.x, c.y, c.w, c.h}), (std::vector<int>{1, 2, 3, 4}));
    }
    EXPECT_EQ(OneControl("EDITTEXT 5, 1, 2, 3, 4, ES_READONLY, WS_EX_STATICEDGE").exStyle,
              static_cast<uint32_t>(WS_EX_STATICEDGE));
    EXPECT_EQ(OneControl("LTEXT \"a\", -1, 1, 2, 3, 4").id, -1);
}

// The reader has its own table of Win32 constants; it must agree with the header the program
// is compiled against.
TEST(RcControls, ConstantsAgreeWithTheLayersHeader) {
    const struct {
        const char* name;
        long value;
    } rows[] = {
        {"WS_POPUP", WS_POPUP}, {"WS_CHILD", WS_CHILD}, {"WS_VISIBLE", WS_VISIBLE}, {"WS_DISABLED", WS_DISABLED},
        {"WS_BORDER", WS_BORDER}, {"WS_DLGFRAME", WS_DLGFRAME}, {"WS_CAPTION", WS_CAPTION}, {"WS_VSCROLL", WS_VSCROLL},
        {"WS_HSCROLL", WS_HSCROLL}, {"WS_SYSMENU", WS_SYSMENU}, {"WS_THICKFRAME", WS_THICKFRAME},
        {"WS_GROUP", WS_GROUP}, {"WS_TABSTOP", WS_TABSTOP}, {"WS_MINIMIZEBOX", WS_MINIMIZEBOX},
        {"WS_MAXIMIZEBOX", WS_MAXIMIZEBOX}, {"WS_OVERLAPPEDWINDOW", WS_OVERLAPPEDWINDOW},
        {"WS_EX_CLIENTEDGE", WS_EX_CLIENTEDGE}, {"WS_EX_STATICEDGE", WS_EX_STATICEDGE}, {"DS_SETFONT", DS_SETFONT},
        {"DS_MODALFRAME", DS_MODALFRAME}, {"DS_3DLOOK", DS_3DLOOK}, {"DS_CONTEXTHELP", DS_CONTEXTHELP},
        {"BS_PUSHBUTTON", BS_PUSHBUTTON}, {"BS_DEFPUSHBUTTON", BS_DEFPUSHBUTTON},
        {"BS_AUTORADIOBUTTON", BS_AUTORADIOBUTTON}, {"BS_GROUPBOX", BS_GROUPBOX}, {"ES_LEFT", ES_LEFT},
        {"ES_MULTILINE", ES_MULTILINE}, {"ES_AUTOVSCROLL", ES_AUTOVSCROLL}, {"ES_AUTOHSCROLL", ES_AUTOHSCROLL},
        {"ES_READONLY", ES_READONLY}, {"SS_LEFT", SS_LEFT}, {"SS_ETCHEDFRAME", SS_ETCHEDFRAME}, {"IDOK", IDOK},
        {"IDCANCEL", IDCANCEL},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const rc::Script s = ParseOk(std::string("d DIALOG 0, 0, 1, 1 EXSTYLE ") + r.name + " BEGIN END");
        ASSERT_EQ(s.dialogs.size(), 1u);
        EXPECT_EQ(s.dialogs[0].exStyle, static_cast<uint32_t>(r.value));
    }
}

TEST(RcDialogs, StatementsBeforeTheControls) {
    const rc::Script s = ParseOk(
        "a DIALOG 1, 2, 30, 40\nBEGIN\nEND\n"
        "b DIALOGEX 5, 6, 70, 80, 99\n"
        "STYLE WS_POPUP | WS_VISIBLE\n"
        "EXSTYLE WS_EX_CLIENTEDGE\n"
        "CAPTION \"Title\"\n"
        "FONT 8, \"MS Sans Serif\", 400, 0, 1\n"
        "BEGIN\nEND\n"
        "c DIALOG 0, 0, 1, 1 STYLE WS_CHILD | WS_CAPTION | NOT WS_CAPTION BEGIN END\n");
    ASSERT_EQ(s.dialogs.size(), 3u);
    // Without STYLE the resource compilers make a bordered pop-up with a system menu.
    EXPECT_EQ(s.dialogs[0].style, static_cast<uint32_t>(WS_POPUP | WS_BORDER | WS_SYSMENU));
    EXPECT_EQ((std::vector<int>{s.dialogs[0].x, s.dialogs[0].y, s.dialogs[0].w, s.dialogs[0].h}),
              (std::vector<int>{1, 2, 30, 40}));
    const rc::Dialog& b = s.dialogs[1];
    EXPECT_EQ((std::vector<int>{b.x, b.y, b.w, b.h}), (std::vector<int>{5, 6, 70, 80}));
    // CAPTION implies the caption bits and FONT the font flag, as the compilers write them.
    EXPECT_EQ(b.style, static_cast<uint32_t>(WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_SETFONT));
    EXPECT_EQ(b.exStyle, static_cast<uint32_t>(WS_EX_CLIENTEDGE));
    EXPECT_EQ(b.caption, "Title");
    EXPECT_EQ(b.fontName, "MS Sans Serif");
    EXPECT_EQ(b.fontSize, 8);
    EXPECT_EQ(s.dialogs[2].style, static_cast<uint32_t>(WS_CHILD));
}

TEST(RcStrings, EscapesAndCodePages) {
    const struct {
        const char* name;
        std::string script;  // the text of one menu item
        std::string expected;
    } rows[] = {
        {"doubled quote", R"(x MENU BEGIN MENUITEM "say ""hi""", 1 END)", "say \"hi\""},
        {"backslash escapes", R"(x MENU BEGIN MENUITEM "a\tb\nc\\d\"e", 1 END)", "a\tb\nc\\d\"e"},
        {"hexadecimal ascii", R"(x MENU BEGIN MENUITEM "\x41\x42C", 1 END)", "ABC"},
        {"hexadecimal high byte read as Windows-1252", R"(x MENU BEGIN MENUITEM "caf\xe9 \x80", 1 END)",
         U8(u8"caf\u00e9 \u20ac")},
        {"utf-8 kept as written", "x MENU BEGIN MENUITEM \"Regi\xc3\xa3o\", 1 END", U8(u8"Regi\u00e3o")},
        {"utf-8 after its pragma", "#pragma code_page(65001)\nx MENU BEGIN MENUITEM \"\xc3\x82ngulo\", 1 END",
         U8(u8"\u00c2ngulo")},
        {"windows-1252 after its pragma", "#pragma code_page(1252)\nx MENU BEGIN MENUITEM \"\xc2ngulo \x93q\x94\", 1 END",
         U8(u8"\u00c2ngulo \u201cq\u201d")},
        {"wide string prefix", R"(x MENU BEGIN MENUITEM L"wide", 1 END)", "wide"},
        {"comment markers inside a string", R"(x MENU BEGIN MENUITEM "a // b /* c", 1 END)", "a // b /* c"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const rc::Script s = ParseOk(r.script);
        ASSERT_EQ(s.menus.size(), 1u);
        ASSERT_EQ(s.menus[0].items.size(), 1u);
        EXPECT_EQ(s.menus[0].items[0].text, r.expected);
    }
}

TEST(RcPreprocessor, DefinesFromAnInclude) {
    const rc::Script s = ParseOk(
        "#include \"ids.h\"\n"
        "#include <windows.h>\n"
        "#define IDM_LOCAL 40\n"
        "Main MENU BEGIN MENUITEM \"a\", IDM_A MENUITEM \"b\", IDM_B MENUITEM \"c\", IDM_LOCAL END\n"
        "NAMED MENU BEGIN END\n",
        {{"ids.h",
          "/* guarded, as headers are */\n#ifndef IDS_H\n#define IDS_H\n"
          "#define IDM_A 7 // seven\n#define IDM_B (IDM_A + \\\n 1)\n#define NAMED 12\n"
          "#define TEXT \"not a number\"\n#define MACRO(x) (x)\n#endif\n"}});
    ASSERT_EQ(s.menus.size(), 2u);
    ASSERT_EQ(s.menus[0].items.size(), 3u);
    EXPECT_EQ(s.menus[0].items[0].id, 7);
    EXPECT_EQ(s.menus[0].items[1].id, 8);
    EXPECT_EQ(s.menus[0].items[2].id, 40);
    // A resource named by a defined number is known by that number, in Win32's "#n" form.
    EXPECT_EQ(s.menus[1].name, "#12");
    EXPECT_EQ(s.defines, (std::map<std::string, long>{{"IDM_A", 7}, {"IDM_B", 8}, {"IDM_LOCAL", 40}, {"NAMED", 12}}));
}

TEST(RcPreprocessor, ConditionalsChooseTheirBranch) {
    const struct {
        const char* name;
        const char* head;  // decides the value of ID
        int expected;
    } rows[] = {
        {"ifdef taken", "#define X\n#ifdef X\n#define ID 1\n#else\n#define ID 2\n#endif\n", 1},
        {"ifdef skipped", "#ifdef X\n#define ID 1\n#else\n#define ID 2\n#endif\n", 2},
        {"ifndef", "#ifndef X\n#define ID 3\n#endif\n", 3},
        {"if with defined and comparison", "#define V 3\n#if defined(V) && V > 2\n#define ID 4\n#endif\n", 4},
        {"elif", "#define V 2\n#if V == 1\n#define ID 1\n#elif V == 2\n#define ID 5\n#else\n#define ID 6\n#endif\n", 5},
        {"only the first true branch", "#if 1\n#define ID 7\n#elif 1\n#define ID 8\n#endif\n", 7},
        {"unknown names count as zero", "#if UNKNOWN\n#define ID 1\n#else\n#define ID 9\n#endif\n", 9},
        {"else nested in a skipped branch", "#if 0\n#if 0\n#else\n#define ID 1\n#endif\n#endif\n#ifndef ID\n#define ID 10\n#endif\n", 10},
        {"skipped lines may hold anything", "#if 0\n@@ \"unclosed\n#bogus\n#endif\n#define ID 11\n", 11},
        {"undef", "#define ID 1\n#undef ID\n#define ID 12\n", 12},
        {"block comment hides a directive", "#define ID 13\n/*\n#undef ID\n*/\n", 13},
        {"other pragmas ignored", "#pragma once\n#pragma comment(lib, \"x\")\n#define ID 14\n", 14},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const rc::Script s = ParseOk(std::string(r.head) + "m MENU BEGIN MENUITEM \"a\", ID END\n");
        ASSERT_EQ(s.menus.size(), 1u);
        ASSERT_EQ(s.menus[0].items.size(), 1u);
        EXPECT_EQ(s.menus[0].items[0].id, r.expected);
    }
}

TEST(RcLookup, NamesMatchIgnoringCase) {
    const rc::Script s = ParseOk(
        "Orbix MENU begin menuitem \"a\", 1 end\n"
        "entNpt DIALOG 0, 0, 1, 1 { }\n"
        "BITMAPOrbix BITMAP \"orbix.bmp\"\n"
        "ICON_Orbix ICON DISCARDABLE \"orbix.ico\"\n"
        "\"Quoted\" MENU BEGIN END\n"
        "5 MENU BEGIN END\n"
        "LANGUAGE LANG_PORTUGUESE, SUBLANG_PORTUGUESE_BRAZILIAN\n");
    ASSERT_NE(s.menu("ORBIX"), nullptr);
    EXPECT_EQ(s.menu("orbix")->items.size(), 1u);
    EXPECT_NE(s.dialog("ENTNPT"), nullptr);
    ASSERT_NE(s.file("bitmaporbix", "bitmap"), nullptr);
    EXPECT_EQ(s.file("BitmapOrbix", "BITMAP")->file, "orbix.bmp");
    ASSERT_NE(s.file("icon_orbix", "Icon"), nullptr);
    EXPECT_EQ(s.file("ICON_ORBIX", "ICON")->type, "ICON");
    EXPECT_NE(s.menu("quoted"), nullptr);
    EXPECT_NE(s.menu("#5"), nullptr);

    EXPECT_EQ(s.menu("Orbix2"), nullptr);
    EXPECT_EQ(s.dialog("Orbix"), nullptr) << "a menu is not a dialog";
    EXPECT_EQ(s.file("BITMAPOrbix", "ICON"), nullptr) << "the type must match too";
}

TEST(RcMenus, PopupsSeparatorsAndOptions) {
    const rc::Script s = ParseOk(
        "m MENU\nBEGIN\n"
        "  POPUP \"&File\", GRAYED\n  BEGIN\n"
        "    MENUITEM \"&Save\", 10, CHECKED\n    MENUITEM SEPARATOR\n"
        "    POPUP \"&More\"\n    BEGIN\n      MENUITEM \"Deep\", 11\n    END\n"
        "  END\n"
        "  MENUITEM \"&Bar\", 12 INACTIVE\n"
        "END\n");
    ASSERT_EQ(s.menus.size(), 1u);
    const auto& top = s.menus[0].items;
    ASSERT_EQ(top.size(), 2u);
    EXPECT_TRUE(top[0].popup);
    EXPECT_EQ(top[0].text, "&File");
    ASSERT_EQ(top[0].items.size(), 3u);
    EXPECT_EQ(top[0].items[0].text, "&Save");
    EXPECT_EQ(top[0].items[0].id, 10);
    EXPECT_TRUE(top[0].items[1].separator);
    EXPECT_TRUE(top[0].items[2].popup);
    ASSERT_EQ(top[0].items[2].items.size(), 1u);
    EXPECT_EQ(top[0].items[2].items[0].id, 11);
    EXPECT_FALSE(top[1].popup);
    EXPECT_EQ(top[1].id, 12);
}

TEST(RcErrors, ReportedWithTheirPlace) {
    const struct {
        const char* name;
        const char* script;
        const char* message;  // must appear in the error
    } rows[] = {
        {"misspelt constant", "d DIALOG 0,0,1,1\nBEGIN\nLTEXT \"a\", 1, 0,0,1,1, WS_CHLD\nEND\n", "line 3: unknown name 'WS_CHLD'"},
        {"string left open", "m MENU\nBEGIN\nMENUITEM \"abc, 1\nEND\n", "line 3: string without its closing quote"},
        {"END missing", "m MENU\nBEGIN\nMENUITEM \"a\", 1\n", "end of script"},
        {"unknown resource type", "x WIDGET \"f\"\n", "line 1: resource type 'WIDGET' is not supported"},
        {"unknown control", "d DIALOG 0,0,1,1\nBEGIN\nSLIDER 1, 0,0,1,1\nEND\n", "line 3: control statement or END expected"},
        {"menu without BEGIN", "m MENU\nMENUITEM \"a\", 1\n", "line 2: BEGIN was expected"},
        {"if without endif", "#ifdef X\n", "line 1: #if without its #endif"},
        {"else without if", "#else\n", "line 1: #else without #if"},
        {"second else", "#if 0\n#else\n#else\n#endif\n", "line 3: #else after #else"},
        {"unknown directive", "#defne X 1\n", "line 1: unknown directive #defne"},
        {"missing include", "\n#include \"nowhere.h\"\n", "line 2: cannot include \"nowhere.h\""},
        {"division by zero", "m MENU BEGIN MENUITEM \"a\", 1/0 END\n", "line 1: division by zero"},
        {"malformed number", "m MENU BEGIN MENUITEM \"a\", 12ab END\n", "line 1: malformed number"},
        {"unexpected character", "m MENU BEGIN MENUITEM \"a\", 1 $ END\n", "line 1: unexpected character '$'"},
        {"invalid utf-8", "m MENU BEGIN MENUITEM \"caf\xe9\", 1 END\n", "line 1: string is not valid UTF-8"},
        {"unsupported code page", "#pragma code_page(437)\n", "line 1: code page 437 is not supported"},
        {"comment left open", "/* start\n\n", "comment without its end"},
        {"bad escape", "m MENU BEGIN MENUITEM \"a\\q\", 1 END\n", "line 1: unknown escape '\\q'"},
        {"error directive", "#error stop here\n", "line 1: #error stop here"},
        {"a defined name that is not a number", "#define T \"text\"\nm MENU BEGIN MENUITEM \"a\", T END\n",
         "line 2: a number was expected"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const std::string error = ParseError(r.script);
        EXPECT_NE(error.find(r.message), std::string::npos) << "error was: " << error;
    }
}

TEST(RcErrors, PlaceInAnIncludeIsNamed) {
    std::string error;
    rc::Parse("#include \"ids.h\"\n",
              [](const std::string&) { return std::optional<std::string>("#define A 1\n#if\n#endif\n"); }, &error);
    EXPECT_NE(error.find("ids.h, line 2: #if needs an expression"), std::string::npos) << error;
}

TEST(RcErrors, IncludingItselfStops) {
    std::string error;
    rc::Parse("#include \"self.h\"\n", [](const std::string&) { return std::optional<std::string>("#include \"self.h\"\n"); },
              &error);
    EXPECT_NE(error.find("nested too deeply"), std::string::npos) << error;
}

TEST(RcErrors, SelfReferentialDefineDoesNotLoop) {
    // As in C, a name inside its own definition is left alone: here it is then unknown.
    const std::string error = ParseError("#define A (A + 1)\nm MENU BEGIN MENUITEM \"a\", A END\n");
    EXPECT_NE(error.find("unknown name 'A'"), std::string::npos) << error;
}

// Whatever is cut off or garbled, the reader answers with a script or an error, never a crash.
TEST(RcErrors, DamagedScriptsAreReportedNotCrashed) {
    const std::optional<std::string_view> text = rc::EmbeddedFileData("orbix.rc");
    ASSERT_TRUE(text.has_value());
    const auto loader = [](const std::string& name) -> std::optional<std::string> {
        if (auto d = rc::EmbeddedFileData(name)) return std::string(*d);
        return std::nullopt;
    };
    size_t failures = 0;
    for (size_t n = 0; n < text->size(); n += 3) {
        std::string error;
        const rc::Script s = rc::Parse(text->substr(0, n), loader, &error);
        if (!error.empty()) {
            ++failures;
            EXPECT_TRUE(s.menus.empty() && s.dialogs.empty());
        }
    }
    EXPECT_GT(failures, 0u);
    uint32_t seed = 12345;
    const std::string punctuation = "\"\\,|()#{}-x0\n";
    for (int round = 0; round < 300; ++round) {
        std::string damaged(*text);
        for (int k = 0; k < 4; ++k) {
            seed = seed * 1664525u + 1013904223u;
            damaged[seed % damaged.size()] = punctuation[(seed >> 16) % punctuation.size()];
        }
        std::string error;
        rc::Parse(damaged, loader, &error);
    }
}

// ------------------------------------------------------------------ the program's script

const rc::Script& Program() {
    static const rc::Script script = [] {
        const std::optional<std::string_view> text = rc::EmbeddedFileData("orbix.rc");
        EXPECT_TRUE(text.has_value()) << "orbix.rc is not embedded";
        std::string error;
        rc::Script s = rc::Parse(
            text.value_or(""),
            [](const std::string& name) -> std::optional<std::string> {
                if (auto d = rc::EmbeddedFileData(name)) return std::string(*d);
                return std::nullopt;
            },
            &error);
        EXPECT_EQ(error, "");
        return s;
    }();
    return script;
}

struct MenuRow {
    int depth;  // 0 on the bar
    const char8_t* text;  // null for a separator
    const char* idName;   // null for a pop-up or separator
    int id;
};

void Flatten(const std::vector<rc::MenuItem>& items, int depth, std::vector<const rc::MenuItem*>& out,
             std::vector<int>& depths) {
    for (const rc::MenuItem& item : items) {
        out.push_back(&item);
        depths.push_back(depth);
        Flatten(item.items, depth + 1, out, depths);
    }
}

TEST(ProgramScript, MenuOrbixInOrder) {
    const MenuRow rows[] = {
        {0, u8"&Arquivo", nullptr, 0},
        {1, u8"Sal&var Dados e Resultados", "IDM_SALVAR", 101},
        {1, nullptr, nullptr, 0},
        {1, u8"&Sair", "IDM_SAIR", 102},
        {0, u8"&Vetor", nullptr, 0},
        {1, u8"&Entrar Pontos para Vetores", "IDM_PONTOS", 120},
        {1, u8"Entrar &Limites para Regi\u00e3o", "IDM_LIMITES", 119},
        {1, u8"Definir &Sistema de Coordenadas", "IDM_COORD", 106},
        {1, nullptr, nullptr, 0},
        {1, u8"&Desenhar Vetores", "IDM_DESENHARVET", 103},
        {1, u8"Desenhar &Regi\u00e3o", "IDM_DESENHARREG", 105},
        {1, nullptr, nullptr, 0},
        {1, u8"E&scala", nullptr, 0},
        {2, u8"&Vetores", "IDM_ESCVETORES", 122},
        {2, u8"&Escala M\u00e9dia", "IDM_ESCMEDIA", 123},
        {2, u8"&N\u00e3o Mostrar", "IDM_NAOMOSTRAR", 121},
        {0, u8"&C\u00e1lculos", nullptr, 0},
        {1, u8"Ver Ve&tores", "IDM_VERVET", 118},
        {1, u8"Calcular \u00c2&ngulo", "IDM_ANGULO", 107},
        {1, u8"Calcular &M\u00f3dulo", "IDM_MODULO", 104},
        {1, u8"Produto &Escalar", "IDM_ESCALAR", 108},
        {1, u8"&Calcular Produtos Vetoriais", "IDM_VETORIAL", 109},
        {1, u8"&Realizar C\u00e1lculos de Equa\u00e7\u00f5es Vetoriais", "IDM_CALC", 114},
        {0, u8"&Info", nullptr, 0},
        {1, u8"&Ajuda", "IDM_AJUDA", 116},
        {1, u8"&Sobre", "IDM_SOBRE", 117},
        {0, u8"&Esquerda", "IDM_ESQUERDA", 111},
        {0, u8"&Direita", "IDM_DIREITA", 110},
        {0, u8"&Cima", "IDM_CIMA", 112},
        {0, u8"&Baixo", "IDM_BAIXO", 113},
    };
    const rc::Menu* menu = Program().menu("Orbix");
    ASSERT_NE(menu, nullptr);
    std::vector<const rc::MenuItem*> items;
    std::vector<int> depths;
    Flatten(menu->items, 0, items, depths);
    ASSERT_EQ(items.size(), std::size(rows));
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuRow& r = rows[i];
        const rc::MenuItem& item = *items[i];
        SCOPED_TRACE(r.text ? U8(r.text) : "separator");
        EXPECT_EQ(depths[i], r.depth);
        EXPECT_EQ(item.separator, r.text == nullptr);
        EXPECT_EQ(item.text, r.text ? U8(r.text) : "");
        EXPECT_EQ(item.popup, r.text && !r.idName);
        if (r.idName) {
            EXPECT_EQ(item.id, r.id);
            // The program compiles its command table against these names.
            EXPECT_EQ(Program().defines.count(r.idName) ? Program().defines.at(r.idName) : -999, r.id) << r.idName;
        }
    }
}

struct DialogRow {
    const char* name;
    const char8_t* caption;
    int w, h;
    size_t controls;
};

TEST(ProgramScript, DialogFrames) {
    const DialogRow rows[] = {
        {"entnpt", u8"\u00c1lgebra Vetorial - Entrada do N\u00famero de Pontos", 211, 78, 4},
        {"entvt", u8"\u00c1lgebra Vetorial - Entradas", 200, 88, 15},
        {"entlim", u8"\u00c1lgebra Vetorial - Entrada dos Limites de Regi\u00e3o", 212, 118, 15},
        {"entreg", u8"\u00c1lgebra Vetorial - Regi\u00e3o", 159, 81, 9},
        {"Ajuda", u8"Kelda - Ajuda", 327, 190, 2},
    };
    const uint32_t style =
        WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK | DS_CONTEXTHELP | DS_SETFONT;
    for (const DialogRow& r : rows) {
        SCOPED_TRACE(r.name);
        const rc::Dialog* d = Program().dialog(r.name);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->caption, U8(r.caption));
        EXPECT_EQ(d->w, r.w);
        EXPECT_EQ(d->h, r.h);
        EXPECT_EQ(d->style, style);
        EXPECT_EQ(d->exStyle, 0u);
        EXPECT_EQ(d->fontName, "MS Sans Serif");
        EXPECT_EQ(d->fontSize, 8);
        EXPECT_EQ(d->controls.size(), r.controls);
    }
}

struct ExpectedControl {
    int id;
    const char* cls;
    const char8_t* text;
    int x, y, w, h;
    uint32_t style;
    uint32_t exStyle = 0;
};

// What the dialogs are built from: the complete styles below are the bits a resource compiler
// writes for these statements.
constexpr uint32_t kDefButton = kChildVisible | BS_DEFPUSHBUTTON | WS_TABSTOP;
constexpr uint32_t kButton = kChildVisible | BS_PUSHBUTTON | WS_TABSTOP;
constexpr uint32_t kEntry = kChildVisible | ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr uint32_t kLabel = kChildVisible | SS_LEFT | WS_GROUP;
constexpr uint32_t kRadio = kChildVisible | BS_AUTORADIOBUTTON | WS_TABSTOP;
constexpr uint32_t kGroupBox = kChildVisible | BS_GROUPBOX | WS_GROUP;
constexpr uint32_t kFrame = kChildVisible | SS_ETCHEDFRAME;

void ExpectControls(const char* dialog, const std::vector<ExpectedControl>& expected) {
    SCOPED_TRACE(dialog);
    const rc::Dialog* d = Program().dialog(dialog);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->controls.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const ExpectedControl& s = expected[i];
        const rc::Control& c = d->controls[i];
        SCOPED_TRACE("control " + std::to_string(i) + " (" + U8(s.text) + ")");
        EXPECT_EQ(c.id, s.id);
        EXPECT_EQ(c.cls, s.cls);
        EXPECT_EQ(c.text, U8(s.text));
        EXPECT_EQ((std::vector<int>{c.x, c.y, c.w, c.h}), (std::vector<int>{s.x, s.y, s.w, s.h}));
        EXPECT_EQ(c.style, s.style);
        EXPECT_EQ(c.exStyle, s.exStyle);
    }
}

TEST(ProgramScript, NumberOfVectorsDialog) {
    ExpectControls("entnpt", {
                                 {1, "BUTTON", u8"OK", 56, 56, 50, 14, kDefButton},
                                 {2, "BUTTON", u8"Cancel", 116, 56, 50, 14, kButton},
                                 {111, "EDIT", u8"", 96, 30, 28, 14, kEntry},
                                 {-1, "STATIC", u8"Entre com o N\u00famero de Pontos", 60, 13, 104, 9, kLabel},
                             });
}

TEST(ProgramScript, VectorDialog) {
    ExpectControls("entvt", {
                                {1, "BUTTON", u8"OK", 80, 60, 50, 14, kDefButton},
                                {2, "BUTTON", u8"Cancel", 140, 60, 50, 14, kButton},
                                {101, "BUTTON", u8"Cartesianas", 12, 14, 56, 9, kRadio},
                                {102, "BUTTON", u8"Cil\u00edndricas", 12, 24, 56, 9, kRadio},
                                {103, "BUTTON", u8"Esf\u00e9ricas", 12, 34, 52, 9, kRadio},
                                {104, "BUTTON", u8"Coordenadas", 8, 4, 64, 42, kGroupBox},
                                {105, "BUTTON", u8"Graus", 12, 60, 52, 9, kRadio},
                                {106, "BUTTON", u8"Radianos", 12, 69, 52, 9, kRadio},
                                {107, "BUTTON", u8"\u00c2ngulo", 8, 52, 64, 30, kGroupBox},
                                {108, "EDIT", u8"", 84, 26, 28, 14, kEntry},
                                {109, "EDIT", u8"", 120, 26, 28, 14, kEntry},
                                {110, "EDIT", u8"", 156, 26, 28, 14, kEntry},
                                {-1, "STATIC", u8"Coord 1", 84, 13, 28, 9, kLabel},
                                {-1, "STATIC", u8"Coord 2", 120, 13, 28, 9, kLabel},
                                {-1, "STATIC", u8"Coord 3", 156, 13, 28, 13, kLabel},
                            });
}

TEST(ProgramScript, RegionLimitsDialog) {
    ExpectControls("entlim", {
                                 {1, "BUTTON", u8"OK", 52, 95, 50, 14, kDefButton},
                                 {2, "BUTTON", u8"Cancel", 116, 95, 50, 14, kButton},
                                 {112, "EDIT", u8"", 56, 22, 28, 14, kEntry},
                                 {113, "EDIT", u8"", 132, 22, 28, 14, kEntry},
                                 {114, "EDIT", u8"", 56, 43, 28, 14, kEntry},
                                 {115, "EDIT", u8"", 132, 43, 28, 14, kEntry},
                                 {116, "EDIT", u8"", 56, 65, 28, 14, kEntry},
                                 {117, "EDIT", u8"", 132, 65, 28, 14, kEntry},
                                 {-1, "STATIC", u8"Entre com os Limites da Regi\u00e3o", 56, 4, 112, 9, kLabel},
                                 {-1, "STATIC", u8"Coord 1", 96, 26, 28, 9, kLabel},
                                 {-1, "STATIC", u8"Coord 2", 96, 47, 28, 9, kLabel},
                                 {-1, "STATIC", u8"Coord 3", 96, 69, 28, 9, kLabel},
                                 {-1, "STATIC", u8"", 48, 61, 120, 23, kFrame},
                                 {-1, "STATIC", u8"", 48, 17, 120, 23, kFrame},
                                 {-1, "STATIC", u8"", 48, 39, 120, 23, kFrame},
                             });
}

TEST(ProgramScript, CoordinateSystemDialog) {
    ExpectControls("entreg", {
                                 {1, "BUTTON", u8"OK", 16, 60, 50, 14, kDefButton},
                                 {2, "BUTTON", u8"Cancel", 92, 60, 50, 14, kButton},
                                 {101, "BUTTON", u8"Cartesianas", 12, 14, 56, 9, kRadio},
                                 {102, "BUTTON", u8"Cil\u00edndricas", 12, 24, 56, 9, kRadio},
                                 {103, "BUTTON", u8"Esf\u00e9ricas", 12, 34, 52, 9, kRadio},
                                 {104, "BUTTON", u8"Coordenadas", 8, 4, 64, 42, kGroupBox},
                                 {105, "BUTTON", u8"Graus", 92, 22, 52, 9, kRadio},
                                 {106, "BUTTON", u8"Radianos", 92, 13, 52, 9, kRadio},
                                 {107, "BUTTON", u8"\u00c2ngulo", 88, 5, 64, 30, kGroupBox},
                             });
}

TEST(ProgramScript, HelpDialog) {
    ExpectControls("Ajuda", {
                                {1, "BUTTON", u8"OK", 140, 172, 50, 14, kDefButton},
                                {500, "EDIT", u8"", 32, 4, 284, 164,
                                 kChildVisible | ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_TABSTOP, WS_EX_STATICEDGE},
                            });
}

// Auto radio buttons uncheck the others of their group, a group running from a control with
// WS_GROUP to the next one: the system and the unit must fall in different groups.
TEST(ProgramScript, RadioGroupsAreIndependent) {
    for (const char* name : {"entvt", "entreg"}) {
        SCOPED_TRACE(name);
        const rc::Dialog* d = Program().dialog(name);
        ASSERT_NE(d, nullptr);
        std::map<int, int> groupOf;
        int group = 0;
        for (size_t i = 0; i < d->controls.size(); ++i) {
            if (i > 0 && (d->controls[i].style & WS_GROUP)) ++group;
            groupOf[d->controls[i].id] = group;
        }
        EXPECT_EQ(groupOf[101], groupOf[102]);
        EXPECT_EQ(groupOf[101], groupOf[103]);
        EXPECT_EQ(groupOf[105], groupOf[106]);
        EXPECT_NE(groupOf[101], groupOf[105]);
    }
}

uint32_t Le32(std::string_view d, size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(d[at]) | static_cast<unsigned char>(d[at + 1]) << 8 |
                                 static_cast<unsigned char>(d[at + 2]) << 16 |
                                 static_cast<uint32_t>(static_cast<unsigned char>(d[at + 3])) << 24);
}
uint32_t Le16(std::string_view d, size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(d[at]) | static_cast<unsigned char>(d[at + 1]) << 8);
}

TEST(ProgramScript, SplashBitmapIsTheSizeThePaintExpects) {
    const rc::FileResource* f = Program().file("BITMAPOrbix", "BITMAP");
    ASSERT_NE(f, nullptr);
    const std::optional<std::string_view> d = rc::EmbeddedFileData(f->file);
    ASSERT_TRUE(d.has_value()) << f->file << " is not embedded";
    ASSERT_GE(d->size(), 54u);
    EXPECT_EQ(d->substr(0, 2), "BM");
    const uint32_t stride = (549 * 3 + 3) & ~3u;
    EXPECT_EQ(Le32(*d, 2), d->size());
    EXPECT_EQ(Le32(*d, 10), 54u);       // pixels right after the headers
    EXPECT_EQ(Le32(*d, 14), 40u);       // BITMAPINFOHEADER
    EXPECT_EQ(Le32(*d, 18), 549u);      // width
    EXPECT_EQ(Le32(*d, 22), 422u);      // height, positive: bottom-up
    EXPECT_EQ(Le16(*d, 28), 24u);       // bits a pixel
    EXPECT_EQ(Le32(*d, 30), 0u);        // uncompressed
    EXPECT_EQ(d->size(), 54u + stride * 422u);
}

TEST(ProgramScript, IconIsOne32By32ImageIn16Colours) {
    const rc::FileResource* f = Program().file("ICON_Orbix", "ICON");
    ASSERT_NE(f, nullptr);
    const std::optional<std::string_view> d = rc::EmbeddedFileData(f->file);
    ASSERT_TRUE(d.has_value()) << f->file << " is not embedded";
    ASSERT_GE(d->size(), 22u + 40u);
    EXPECT_EQ(Le16(*d, 2), 1u);  // an icon
    EXPECT_EQ(Le16(*d, 4), 1u);  // one image
    EXPECT_EQ(static_cast<unsigned char>((*d)[6]), 32u);
    EXPECT_EQ(static_cast<unsigned char>((*d)[7]), 32u);
    EXPECT_EQ(static_cast<unsigned char>((*d)[8]), 16u);
    const uint32_t bytes = Le32(*d, 14), offset = Le32(*d, 18);
    ASSERT_EQ(offset + bytes, d->size());
    EXPECT_EQ(Le32(*d, offset + 4), 32u);
    EXPECT_EQ(Le32(*d, offset + 8), 64u);  // colour image and mask
    EXPECT_EQ(Le16(*d, offset + 14), 4u);
    EXPECT_EQ(bytes, 40u + 16 * 4 + 32 * 16 + 32 * 4);
}

TEST(ProgramScript, ModuleScriptIsTheSameScript) {
    const rc::Script& s = rc::ModuleScript();
    EXPECT_EQ(&s, &rc::ModuleScript()) << "parsed once";
    EXPECT_EQ(s.dialogs.size(), Program().dialogs.size());
    ASSERT_NE(s.menu("ORBIX"), nullptr);
    EXPECT_NE(s.dialog("AJUDA"), nullptr);
}

TEST(EmbeddedFiles, LookupIgnoresCaseAndLaterRegistrationsReplace) {
    static const unsigned char first[] = {'a'}, second[] = {'b', 'c'};
    static const rc::EmbeddedFile one[] = {{"Test-Only.txt", first, 1}};
    static const rc::EmbeddedFile two[] = {{"test-only.TXT", second, 2}};
    rc::RegisterEmbeddedFiles(one, 1);
    ASSERT_TRUE(rc::EmbeddedFileData("TEST-ONLY.txt").has_value());
    EXPECT_EQ(*rc::EmbeddedFileData("test-only.txt"), "a");
    rc::RegisterEmbeddedFiles(two, 1);
    EXPECT_EQ(*rc::EmbeddedFileData("Test-Only.txt"), "bc");
    EXPECT_FALSE(rc::EmbeddedFileData("absent.txt").has_value());
}

}  // namespace
