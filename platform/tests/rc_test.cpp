// Tests of the resource-script reader: the program's own script as built into the executable,
// then the language on small scripts. Unlike the program, this test keeps UTF-8 narrow strings,
// so the \u escapes below (the source stays ASCII) are the bytes the reader gives.
#include <gtest/gtest.h>

#include <climits>
#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "rc/rc.h"
#include "rc/resources.h"

namespace {

std::optional<std::string> embedded(const std::string &name) {
    if (auto d = rc::EmbeddedFileData(name)) return std::string(*d);
    return std::nullopt;
}
// A control, or a dialog's frame, as one comparable line.
std::string line(const std::string &t, int id, const std::string &c, int x, int y, int w, int h, uint32_t st, uint32_t ex) {
    char s[64];
    snprintf(s, sizeof s, " %d,%d,%d,%d %08x %x", x, y, w, h, st, ex);
    return std::to_string(id) + " " + c + " \"" + t + "\"" + s;
}
std::string line(const rc::Control &c) { return line(c.text, c.id, c.cls, c.x, c.y, c.w, c.h, c.style, c.exStyle); }
// Menu items as "depth text id"; a pop-up has no id, a separator is "-".
void flat(const std::vector<rc::MenuItem> &items, int depth, std::vector<std::string> &out) {
    for (const rc::MenuItem &i : items) {
        out.push_back(std::to_string(depth) + (i.separator ? " -" : " " + i.text) + (i.popup ? "" : " " + std::to_string(i.id)));
        flat(i.items, depth + 1, out);
    }
}

TEST(ProgramScript, MenuOrbixInOrder) {
    const std::vector<std::string> expected = {
        "0 &Arquivo", "1 &Abrir Trabalho...\tCtrl+O 124", "1 Salvar &Trabalho...\tCtrl+S 125",
        "1 Sal&var Dados e Resultados 101", "1 - 0", "1 &Copiar\tCtrl+C 126", "1 - 0", "1 &Sair 102", "0 &Vetor",
        "1 &Entrar Pontos para Vetores 120", "1 Entrar &Limites para Regi\u00e3o 119",
        "1 Definir &Sistema de Coordenadas 106", "1 - 0", "1 &Desenhar Vetores 103", "1 Desenhar &Regi\u00e3o 105",
        "1 - 0", "1 E&scala", "2 &Vetores 122", "2 &Escala M\u00e9dia 123", "2 &N\u00e3o Mostrar 121",
        "0 &C\u00e1lculos", "1 Ver Ve&tores 118", "1 Calcular \u00c2&ngulo 107", "1 Calcular &M\u00f3dulo 104",
        "1 Produto &Escalar 108", "1 &Calcular Produtos Vetoriais 109",
        "1 &Realizar C\u00e1lculos de Equa\u00e7\u00f5es Vetoriais 114", "0 &Info", "1 &Ajuda 116", "1 &Sobre 117",
        "0 &Esquerda 111", "0 &Direita 110", "0 &Cima 112", "0 &Baixo 113"};
    std::vector<std::string> actual;
    if (const rc::Menu *m = rc::ModuleScript().menu("Orbix")) flat(m->items, 0, actual);
    EXPECT_EQ(actual, expected);
}

// Each key as "key id" with its modifiers, V for a virtual key.
std::vector<std::string> keys(const rc::AcceleratorTable *t) {
    std::vector<std::string> out;
    for (const rc::Accelerator &a : t ? t->keys : std::vector<rc::Accelerator>{})
        out.push_back(std::string(a.virtkey ? "V" : "") + (a.control ? "^" : "") + (a.shift ? "S" : "") +
                      (a.alt ? "A" : "") + std::to_string(a.key) + " " + std::to_string(a.id));
    return out;
}

TEST(ProgramScript, KeysOfTheMainWindow) {
    EXPECT_EQ(keys(rc::ModuleScript().acceleratorTable("orbix")),
              (std::vector<std::string>{"V^79 124", "V^83 125", "V^67 126", "V37 111", "V39 110", "V38 112", "V40 113",
                                        "V112 116"}));
}

TEST(RcScript, AcceleratorTables) {
    const struct { const char *script, *error; std::vector<std::string> keys; } rows[] = {
        {"a ACCELERATORS BEGIN \"o\", 5, VIRTKEY, CONTROL, SHIFT\n VK_F1, 6, VIRTKEY, ALT END", "", {"V^S79 5", "VA112 6"}},
        {"a ACCELERATORS BEGIN \"^C\", 7\n \"a\", 8, ASCII, NOINVERT\n 65, 9, VIRTKEY END", "", {"3 7", "97 8", "V65 9"}},
        {"a ACCELERATORS {\"^C\",7,ASCII}", "", {"3 7"}}, // braces and commas hard against the quotes
        {"VERSION 2\na ACCELERATORS BEGIN \"a\", 8 END", "line 1: resource type expected", {}}, // only inside a resource
        {"LANGUAGE LANG_PORTUGUESE, SUBLANG_PORTUGUESE_BRAZILIAN\na ACCELERATORS\nLANGUAGE 0x16, 1\nVERSION 2\n"
         "CHARACTERISTICS 3\nBEGIN \"a\", 8 END", "", {"97 8"}},
        {"a ACCELERATORS BEGIN \"ab\", 7 END", "one character", {}},
        {"a ACCELERATORS BEGIN \"a\", 7, CONTROL END", "need VIRTKEY", {}},
        {"a ACCELERATORS BEGIN \"^a\", 7, VIRTKEY END", "cannot be VIRTKEY", {}},
        {"a ACCELERATORS BEGIN \"a\", 7, SHIFTY END", "accelerator option expected", {}},
    };
    for (std::string error; const auto &r : rows) {
        const rc::Script s = rc::Parse(r.script, embedded, &error);
        EXPECT_NE(error.find(r.error), std::string::npos) << r.script << " gave: " << error;
        EXPECT_EQ(keys(s.acceleratorTable("A")), r.keys) << r.script;
    }
}

struct Kind { const char *cls; uint32_t style, ex = 0; }; // what a statement declares: class and complete style
constexpr uint32_t CV = WS_CHILD | WS_VISIBLE;
const Kind DEF{"BUTTON", CV | BS_DEFPUSHBUTTON | WS_TABSTOP}, BTN{"BUTTON", CV | BS_PUSHBUTTON | WS_TABSTOP},
    EDT{"EDIT", CV | ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP}, LBL{"STATIC", CV | SS_LEFT | WS_GROUP},
    RAD{"BUTTON", CV | BS_AUTORADIOBUTTON | WS_TABSTOP}, GRP{"BUTTON", CV | BS_GROUPBOX | WS_GROUP},
    FRM{"STATIC", CV | SS_ETCHEDFRAME}, TXT{"EDIT", CV | ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_TABSTOP, WS_EX_STATICEDGE};
struct Ctl { int id; const char *text; int x, y, w, h; Kind k; };
struct Dlg { const char *name; const char *caption; int x, y, w, h; std::vector<Ctl> controls; };

TEST(ProgramScript, FiveDialogsControlByControl) { // in tab order; each group box opens a radio group
    const Dlg dialogs[] = {
        {"entnpt", "\u00c1lgebra Vetorial - Entrada do N\u00famero de Pontos", 60, 40, 211, 78, {
            {1, "OK", 56, 56, 50, 14, DEF}, {2, "Cancel", 116, 56, 50, 14, BTN}, {111, "", 96, 30, 28, 14, EDT},
            {-1, "Entre com o N\u00famero de Pontos", 60, 13, 104, 9, LBL}}},
        {"entvt", "\u00c1lgebra Vetorial - Entradas", 60, 40, 200, 88, {
            {1, "OK", 80, 60, 50, 14, DEF}, {2, "Cancel", 140, 60, 50, 14, BTN},
            {101, "Cartesianas", 12, 14, 56, 9, RAD}, {102, "Cil\u00edndricas", 12, 24, 56, 9, RAD},
            {103, "Esf\u00e9ricas", 12, 34, 52, 9, RAD}, {104, "Coordenadas", 8, 4, 64, 42, GRP},
            {105, "Graus", 12, 60, 52, 9, RAD}, {106, "Radianos", 12, 69, 52, 9, RAD},
            {107, "\u00c2ngulo", 8, 52, 64, 30, GRP}, {108, "", 84, 26, 28, 14, EDT}, {109, "", 120, 26, 28, 14, EDT},
            {110, "", 156, 26, 28, 14, EDT}, {-1, "Coord 1", 84, 13, 28, 9, LBL}, {-1, "Coord 2", 120, 13, 28, 9, LBL},
            {-1, "Coord 3", 156, 13, 28, 13, LBL}}},
        {"entlim", "\u00c1lgebra Vetorial - Entrada dos Limites de Regi\u00e3o", 60, 40, 212, 118, {
            {1, "OK", 52, 95, 50, 14, DEF}, {2, "Cancel", 116, 95, 50, 14, BTN}, {112, "", 56, 22, 28, 14, EDT},
            {113, "", 132, 22, 28, 14, EDT}, {114, "", 56, 43, 28, 14, EDT}, {115, "", 132, 43, 28, 14, EDT},
            {116, "", 56, 65, 28, 14, EDT}, {117, "", 132, 65, 28, 14, EDT},
            {-1, "Entre com os Limites da Regi\u00e3o", 56, 4, 112, 9, LBL}, {-1, "Coord 1", 96, 26, 28, 9, LBL},
            {-1, "Coord 2", 96, 47, 28, 9, LBL}, {-1, "Coord 3", 96, 69, 28, 9, LBL}, {-1, "", 48, 61, 120, 23, FRM},
            {-1, "", 48, 17, 120, 23, FRM}, {-1, "", 48, 39, 120, 23, FRM}}},
        {"entreg", "\u00c1lgebra Vetorial - Regi\u00e3o", 60, 40, 159, 81, {
            {1, "OK", 16, 60, 50, 14, DEF}, {2, "Cancel", 92, 60, 50, 14, BTN},
            {101, "Cartesianas", 12, 14, 56, 9, RAD}, {102, "Cil\u00edndricas", 12, 24, 56, 9, RAD},
            {103, "Esf\u00e9ricas", 12, 34, 52, 9, RAD}, {104, "Coordenadas", 8, 4, 64, 42, GRP},
            {105, "Graus", 92, 22, 52, 9, RAD}, {106, "Radianos", 92, 13, 52, 9, RAD},
            {107, "\u00c2ngulo", 88, 5, 64, 30, GRP}}},
        {"Ajuda", "Kelda - Ajuda", 40, 20, 327, 190, {{1, "OK", 140, 172, 50, 14, DEF}, {500, "", 32, 4, 284, 164, TXT}}},
    };
    const uint32_t frame = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK | DS_CONTEXTHELP | DS_SETFONT;
    for (const Dlg &e : dialogs) {
        const rc::Dialog *d = rc::ModuleScript().dialog(e.name);
        ASSERT_NE(d, nullptr) << e.name;
        std::vector<std::string> expected{line(e.caption, 8, "MS Sans Serif", e.x, e.y, e.w, e.h, frame, 0)},
            actual{line(d->caption, d->fontSize, d->fontName, d->x, d->y, d->w, d->h, d->style, d->exStyle)};
        for (const Ctl &c : e.controls) expected.push_back(line(c.text, c.id, c.k.cls, c.x, c.y, c.w, c.h, c.k.style, c.k.ex));
        for (const rc::Control &c : d->controls) actual.push_back(line(c));
        EXPECT_EQ(actual, expected) << e.name;
    }
}

// Small scripts may include these, by any case of their names; an editor may have begun one with a
// byte-order mark. Included twice, the guarded part is skipped the second time, its empty comment too.
const unsigned char ids[] = "\xEF\xBB\xBF/* guarded */\n#ifndef IDS_H\n#define IDS_H\n#define IDM_A 7 /**/ // seven\n#define IDM_B (IDM_A + \\\n 1)\n"
                            "#define NAMED 12\n#define TEXT \"no number\"\n#define MACRO(x) (x)\n#endif\n",
                    bad[] = "#define A 1\n#if\n#endif\n", self[] = "#include \"rc-test-self.h\"\n";
const rc::EmbeddedFile files[] = {{"Rc-Test-Ids.h", ids, sizeof ids - 1}, {"rc-test-bad.h", bad, sizeof bad - 1},
                                  {"rc-test-self.h", self, sizeof self - 1}};
const bool registered = (rc::RegisterEmbeddedFiles(files, 3), true);

TEST(RcScript, StyleExpressionsAndEscapes) { // each control alone in a dialog
    const struct { const char *statement, *cls; uint32_t style; std::string text; } rows[] = {
        {"EDITTEXT 5, 1, 2, 3, 4, ES_MULTILINE | NOT WS_BORDER", "EDIT", CV | ES_MULTILINE | WS_TABSTOP, ""},
        {R"(LTEXT "say ""hi""", 5, 1, 2, 3, 4, NOT WS_GROUP | WS_GROUP)", "STATIC", CV | WS_GROUP, "say \"hi\""},
        {R"(CONTROL "a\tb\nc\\d\"e", 5, "Static", NOT WS_VISIBLE, 1, 2, 3, 4)", "STATIC", WS_CHILD, "a\tb\nc\\d\"e"},
        {R"(control L"\x41\x42C // /*", 5, Button, (0x10 | 2L), 2-1, 1+1, 6/2, (1 << 2))", "BUTTON", CV | 0x12, "ABC // /*"},
        {R"(ltext "caf\xe9 \x80" 5 1 2 3 4)", "STATIC", CV | SS_LEFT | WS_GROUP, "caf\u00e9 \u20ac"},
        {"LTEXT \"\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80\" 5 1 2 3 4", "STATIC", CV | WS_GROUP, "\u00e9\u20ac\U0001F600"},
        {"#pragma code_page(1252)\nLTEXT \"\xc2ngulo \x93q\x94\" 5 1 2 3 4", "STATIC", CV | WS_GROUP, "\u00c2ngulo \u201cq\u201d"},
        // Every other kind of control, each with its text, class and the style it implies.
        {"CTEXT \"t\", 5, 1, 2, 3, 4", "STATIC", CV | 0x1 /* SS_CENTER */ | WS_GROUP, "t"},
        {"RTEXT \"t\", 5, 1, 2, 3, 4", "STATIC", CV | 0x2 /* SS_RIGHT */ | WS_GROUP, "t"},
        {"ICON \"t\", 5, 1, 2, 3, 4", "STATIC", CV | 0x3 /* SS_ICON */, "t"},
        {"PUSHBUTTON \"t\", 5, 1, 2, 3, 4", "BUTTON", CV | BS_PUSHBUTTON | WS_TABSTOP, "t"},
        {"DEFPUSHBUTTON \"t\", 5, 1, 2, 3, 4", "BUTTON", CV | BS_DEFPUSHBUTTON | WS_TABSTOP, "t"},
        {"CHECKBOX \"t\", 5, 1, 2, 3, 4", "BUTTON", CV | 0x2 /* BS_CHECKBOX */ | WS_TABSTOP, "t"},
        {"AUTOCHECKBOX \"t\", 5, 1, 2, 3, 4", "BUTTON", CV | 0x3 /* BS_AUTOCHECKBOX */ | WS_TABSTOP, "t"},
        {"RADIOBUTTON \"t\", 5, 1, 2, 3, 4", "BUTTON", CV | 0x4 /* BS_RADIOBUTTON */ | WS_TABSTOP, "t"},
        {"STATE3 \"t\", 5, 1, 2, 3, 4", "BUTTON", CV | 0x5 /* BS_3STATE */ | WS_TABSTOP, "t"},
        {"AUTO3STATE \"t\", 5, 1, 2, 3, 4", "BUTTON", CV | 0x6 /* BS_AUTO3STATE */ | WS_TABSTOP, "t"},
        {"GROUPBOX \"t\", 5, 1, 2, 3, 4", "BUTTON", CV | BS_GROUPBOX, "t"},
        {"AUTORADIOBUTTON \"t\", 5, 1, 2, 3, 4", "BUTTON", CV | BS_AUTORADIOBUTTON | WS_TABSTOP, "t"},
    };
    for (std::string error; const auto &r : rows) {
        const rc::Script s = rc::Parse(std::string("d DIALOG 0, 0, 9, 9\nBEGIN\n") + r.statement + "\nEND\n", embedded, &error);
        ASSERT_EQ(error + std::to_string(s.dialogs.size() == 1 && s.dialogs[0].controls.size() == 1), "1") << r.statement;
        EXPECT_EQ(line(s.dialogs[0].controls[0]), line(r.text, 5, r.cls, 1, 2, 3, 4, r.style, 0));
    }
}

// Numbers as the resource compiler evaluates them: C's precedence, a leading 0 still decimal,
// 64-bit arithmetic that wraps instead of trapping; and a dialog's style as the compiler completes
// it: one that says nothing of its font or caption asks for neither.
TEST(RcScript, ExpressionsAndDefaults) {
    const struct {
        const char *expr;
        long value;
    } rows[] = {
        {"2 == 1 <= 2", 0},  {"1 + 2 * 3", 7},     {"(1 + 2) * 3", 9},  {"1 << 2 + 1", 8},  {"6 & 3 | 8", 10},
        {"7 / -1", -7},       {"7 % -1", 0},        {"-7 / 2", -3},      {"-7 % 2", -1},      {"1 ? 2 : 3", 2},
        {"(-9223372036854775807 - 1) / -1", LONG_MIN},  {"(-9223372036854775807 - 1) % -1", 0},
        {"0x10 + 010", 26},  {"0", 0},             {"!0 + ~0", 0},      {"3 > 2 && 2 >= 2", 1},
        {"7 / 1", 7},         {"-16 >> 1 + 2", -2},
        // Each operator beside one of the next tighter level: the tighter one is done first.
        {"1 || 1 && 0", 1},   {"2 && 1 | 4", 1},    {"1 | 0 ^ 1", 1},    {"1 ^ 1 & 0", 1},    {"1 & 2 == 2", 1},
        {"1 & 2 != 0", 1},    {"2 == 1 < 2", 0},    {"2 != 3 > 2", 1},   {"1 == 2 >= 2", 1},  {"1 < 1 << 1", 1},
        {"2 > 1 << 1", 0},    {"2 <= 1 << 1", 1},   {"1 >= 1 << 1", 0},  {"1 < 4 >> 1", 1},   {"8 >> 1 + 1", 2},
        {"8 >> 3 - 1", 2},    {"7 - 2 * 3", 1},     {"1 + 6 / 2", 4},    {"1 + 7 % 4", 4},
        // ... and a level's operators taken left to right.
        {"2 * 3 / 2", 3},     {"2 * 3 % 4", 2},     {"7 / 2 * 2", 6},
    };
    for (std::string error; const auto &r : rows) {
        const rc::Script s = rc::Parse(std::string("#define X ") + r.expr + "\nm MENU BEGIN END\n", embedded, &error);
        EXPECT_EQ(error, "") << r.expr;
        EXPECT_EQ(s.defines.count("X") ? s.defines.at("X") : -12345, r.value) << r.expr;
    }
    const struct { const char *head; uint32_t style; const char *caption; int size; const char *font; } dialogs[] = {
        {"DIALOG 0, 0, 9, 9", WS_POPUP | WS_BORDER | WS_SYSMENU, "", 0, ""},
        // DIALOGEX: a help id after the size, and weight, italic and character set after the font.
        {"DIALOGEX 0, 0, 9, 9, 77\nCAPTION \"c\"\nFONT 8, \"MS Shell Dlg\", 400, 0, 0x1",
         WS_POPUP | WS_BORDER | WS_SYSMENU | WS_CAPTION | DS_SETFONT, "c", 8, "MS Shell Dlg"},
        {"DIALOG 0, 0, 9, 9\nSTYLE WS_CHILD\nFONT 9, \"Tahoma\"", WS_CHILD | DS_SETFONT, "", 9, "Tahoma"},
    };
    for (std::string error; const auto &r : dialogs) {
        const rc::Script s = rc::Parse(std::string("d ") + r.head + "\nBEGIN\nEND\n", embedded, &error);
        ASSERT_EQ(s.dialogs.size(), 1u) << r.head << ": " << error;
        const rc::Dialog &d = s.dialogs[0];
        EXPECT_EQ(line(d.caption, d.fontSize, d.fontName, d.x, d.y, d.w, d.h, d.style, d.exStyle),
                  line(r.caption, r.size, r.font, 0, 0, 9, 9, r.style, 0)) << r.head;
    }
}

TEST(RcScript, DefinesFromAnIncludeAndLookupIgnoringCase) {
    const rc::Script s = rc::Parse("#include \"rc-test-ids.H\"\n#include \"RC-TEST-IDS.h\"\n#include <windows.h>\n"
                                   "#if defined(IDM_A) && defined IDM_B && !defined(IDM_Z)\n#define IDM_C 40\n#else\n#define IDM_C 41\n#endif\n"
                                   "m MENU BEGIN MENUITEM \"a\", IDM_A MENUITEM \"b\", IDM_B\n"
                                   "MENUITEM \"c\", IDM_C END\nNAMED MENU BEGIN END\n", embedded, nullptr);
    std::vector<std::string> items;
    if (s.menu("M")) flat(s.menu("M")->items, 0, items);
    EXPECT_EQ(items, (std::vector<std::string>{"0 a 7", "0 b 8", "0 c 40"}));
    EXPECT_NE(s.menu("#12"), nullptr) << "a resource named by a defined number is known as \"#n\"";
    EXPECT_EQ(s.defines, (std::map<std::string, long>{{"IDM_A", 7}, {"IDM_B", 8}, {"IDM_C", 40}, {"NAMED", 12}}));
    const rc::Script &p = rc::ModuleScript(); // a menu is no dialog, and a file's type must match too
    EXPECT_TRUE(p.dialog("entNPT") && p.file("bitmaporbix", "Bitmap") && !p.dialog("Orbix") && !p.file("BITMAPOrbix", "ICON"));
    const rc::FileResource *manifest = p.file("#1", "MANIFEST"); // the id the loader of Windows reads
    EXPECT_EQ(manifest ? manifest->file : "", "orbix.manifest");
}

TEST(RcScript, ErrorsReportedWithTheirPlaceNotCrashed) {
    const struct { const char *script, *message; } rows[] = {
        {"d DIALOG 0,0,1,1\nBEGIN\nLTEXT \"a\", 1, 0,0,1,1, WS_CHLD\nEND\n", "line 3: unknown name 'WS_CHLD'"},
        {"m MENU\nBEGIN\nMENUITEM \"abc, 1\nEND\n", "line 3: string without its closing quote"},
        {"m MENU\nBEGIN\nMENUITEM \"a\", 1\n", "end of script"}, {"#if 0\n#else\n#else\n#endif\n", "line 3: #else after #else"},
        {"m MENU BEGIN MENUITEM \"a\", 1/0 END", "division by zero"}, {"m MENU BEGIN MENUITEM \"caf\xe9\", 1 END", "UTF-8"},
        // Not UTF-8: a byte that starts nothing, an overlong form, a surrogate, beyond U+10FFFF, cut short.
        {"m MENU BEGIN MENUITEM \"\x80\", 1 END", "UTF-8"}, {"m MENU BEGIN MENUITEM \"\xC0\x80\", 1 END", "UTF-8"},
        {"m MENU BEGIN MENUITEM \"\xE0\x80\x80\", 1 END", "UTF-8"}, {"m MENU BEGIN MENUITEM \"\xED\xA0\x80\", 1 END", "UTF-8"},
        {"m MENU BEGIN MENUITEM \"\xF4\x90\x80\x80\", 1 END", "UTF-8"}, {"m MENU BEGIN MENUITEM \"\xF5\x80\x80\x80\", 1 END", "UTF-8"},
        {"m MENU BEGIN MENUITEM \"\xE2\x82\", 1 END", "UTF-8"}, {"m MENU BEGIN MENUITEM \"\xFF\", 1 END", "UTF-8"},
        // Bytes that start nothing, followed by what would complete a three- or four-byte form.
        {"m MENU BEGIN MENUITEM \"\x80\xA0\x80\", 1 END", "UTF-8"}, {"m MENU BEGIN MENUITEM \"\xF8\x90\x80\x80\", 1 END", "UTF-8"},
        {"#define A (A + 1)\nm MENU BEGIN MENUITEM \"a\", A END\n", "line 2: unknown name 'A'"}, // no endless expansion
        {"#include \"rc-test-bad.h\"", "rc-test-bad.h, line 2: #if needs an expression"},
        {"#pragma code_page(1252 1)\n", "line 1: #pragma code_page needs a number in parentheses"},
        {"#pragma code_page(1252\n", "line 1: #pragma code_page needs a number in parentheses"},
        {"#include \"rc-test-self.h\"", "nested too deeply"}, {"\n#include \"nowhere.h\"\n", "line 2: cannot include \"nowhere.h\""},
    };
    for (std::string error; const auto &r : rows) {
        const rc::Script s = rc::Parse(r.script, embedded, &error);
        EXPECT_NE(error.find(r.message), std::string::npos) << r.script << " gave: " << error;
        EXPECT_TRUE(s.menus.empty() && s.dialogs.empty() && s.files.empty()) << "a failed parse returns nothing";
    }
    // The program's script cut short anywhere, or garbled: a script or an error, never a crash.
    const std::string text(rc::EmbeddedFileData("orbix.rc").value_or(""));
    uint32_t seed = 12345, failures = 0;
    for (size_t n = 0; n < text.size(); n += 3) {
        std::string damaged = text, error;
        for (int k = 0; k < 4; k++)
            seed = seed * 1664525u + 1013904223u, damaged[seed % text.size()] = "\"\\,|()#{}-x0\n"[(seed >> 16) % 13];
        for (const std::string &t : {text.substr(0, n), damaged}) {
            const rc::Script s = rc::Parse(t, embedded, &error);
            EXPECT_TRUE(error.empty() || (s.menus.empty() && s.dialogs.empty())) << error;
            failures += !error.empty();
        }
    }
    EXPECT_GT(failures, 0u);
}

}  // namespace
