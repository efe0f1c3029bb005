// rc.cpp - reader of the resource script: preprocessor, tokens, expressions, resources.
#include "rc.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <memory>
#include <set>
#include <utility>

namespace rc {
namespace {

// ------------------------------------------------------------------ Win32 constants

// The constants a script may use without including the SDK headers, which this reader does
// not read. Values as in the Windows SDK; the ones the layer's own winuser.h also defines are
// checked against it by the tests.
struct Constant {
    std::string_view name;
    long value;
};
constexpr Constant kConstants[] = {
    // window styles
    {"WS_OVERLAPPED", 0x00000000L}, {"WS_POPUP", 0x80000000L}, {"WS_CHILD", 0x40000000L},
    {"WS_MINIMIZE", 0x20000000L}, {"WS_VISIBLE", 0x10000000L}, {"WS_DISABLED", 0x08000000L},
    {"WS_CLIPSIBLINGS", 0x04000000L}, {"WS_CLIPCHILDREN", 0x02000000L}, {"WS_MAXIMIZE", 0x01000000L},
    {"WS_CAPTION", 0x00C00000L}, {"WS_BORDER", 0x00800000L}, {"WS_DLGFRAME", 0x00400000L},
    {"WS_VSCROLL", 0x00200000L}, {"WS_HSCROLL", 0x00100000L}, {"WS_SYSMENU", 0x00080000L},
    {"WS_THICKFRAME", 0x00040000L}, {"WS_GROUP", 0x00020000L}, {"WS_TABSTOP", 0x00010000L},
    {"WS_MINIMIZEBOX", 0x00020000L}, {"WS_MAXIMIZEBOX", 0x00010000L}, {"WS_TILED", 0x00000000L},
    {"WS_ICONIC", 0x20000000L}, {"WS_SIZEBOX", 0x00040000L},
    {"WS_OVERLAPPEDWINDOW", 0x00CF0000L}, {"WS_POPUPWINDOW", 0x80880000L},
    // extended window styles
    {"WS_EX_DLGMODALFRAME", 0x00000001L}, {"WS_EX_NOPARENTNOTIFY", 0x00000004L},
    {"WS_EX_TOPMOST", 0x00000008L}, {"WS_EX_ACCEPTFILES", 0x00000010L},
    {"WS_EX_TRANSPARENT", 0x00000020L}, {"WS_EX_TOOLWINDOW", 0x00000080L},
    {"WS_EX_WINDOWEDGE", 0x00000100L}, {"WS_EX_CLIENTEDGE", 0x00000200L},
    {"WS_EX_CONTEXTHELP", 0x00000400L}, {"WS_EX_RIGHT", 0x00001000L}, {"WS_EX_LEFT", 0x00000000L},
    {"WS_EX_RTLREADING", 0x00002000L}, {"WS_EX_LTRREADING", 0x00000000L},
    {"WS_EX_LEFTSCROLLBAR", 0x00004000L}, {"WS_EX_RIGHTSCROLLBAR", 0x00000000L},
    {"WS_EX_CONTROLPARENT", 0x00010000L}, {"WS_EX_STATICEDGE", 0x00020000L},
    {"WS_EX_APPWINDOW", 0x00040000L},
    // dialog styles
    {"DS_ABSALIGN", 0x01L}, {"DS_SYSMODAL", 0x02L}, {"DS_3DLOOK", 0x04L}, {"DS_FIXEDSYS", 0x08L},
    {"DS_NOFAILCREATE", 0x10L}, {"DS_LOCALEDIT", 0x20L}, {"DS_SETFONT", 0x40L},
    {"DS_MODALFRAME", 0x80L}, {"DS_NOIDLEMSG", 0x100L}, {"DS_SETFOREGROUND", 0x200L},
    {"DS_CONTROL", 0x400L}, {"DS_CENTER", 0x800L}, {"DS_CENTERMOUSE", 0x1000L},
    {"DS_CONTEXTHELP", 0x2000L}, {"DS_SHELLFONT", 0x48L},
    // buttons
    {"BS_PUSHBUTTON", 0x0L}, {"BS_DEFPUSHBUTTON", 0x1L}, {"BS_CHECKBOX", 0x2L},
    {"BS_AUTOCHECKBOX", 0x3L}, {"BS_RADIOBUTTON", 0x4L}, {"BS_3STATE", 0x5L},
    {"BS_AUTO3STATE", 0x6L}, {"BS_GROUPBOX", 0x7L}, {"BS_USERBUTTON", 0x8L},
    {"BS_AUTORADIOBUTTON", 0x9L}, {"BS_OWNERDRAW", 0xBL}, {"BS_LEFTTEXT", 0x20L},
    {"BS_RIGHTBUTTON", 0x20L}, {"BS_TEXT", 0x0L}, {"BS_ICON", 0x40L}, {"BS_BITMAP", 0x80L},
    {"BS_LEFT", 0x100L}, {"BS_RIGHT", 0x200L}, {"BS_CENTER", 0x300L}, {"BS_TOP", 0x400L},
    {"BS_BOTTOM", 0x800L}, {"BS_VCENTER", 0xC00L}, {"BS_PUSHLIKE", 0x1000L},
    {"BS_MULTILINE", 0x2000L}, {"BS_NOTIFY", 0x4000L}, {"BS_FLAT", 0x8000L},
    // edit fields
    {"ES_LEFT", 0x0L}, {"ES_CENTER", 0x1L}, {"ES_RIGHT", 0x2L}, {"ES_MULTILINE", 0x4L},
    {"ES_UPPERCASE", 0x8L}, {"ES_LOWERCASE", 0x10L}, {"ES_PASSWORD", 0x20L},
    {"ES_AUTOVSCROLL", 0x40L}, {"ES_AUTOHSCROLL", 0x80L}, {"ES_NOHIDESEL", 0x100L},
    {"ES_OEMCONVERT", 0x400L}, {"ES_READONLY", 0x800L}, {"ES_WANTRETURN", 0x1000L},
    {"ES_NUMBER", 0x2000L},
    // statics
    {"SS_LEFT", 0x0L}, {"SS_CENTER", 0x1L}, {"SS_RIGHT", 0x2L}, {"SS_ICON", 0x3L},
    {"SS_BLACKRECT", 0x4L}, {"SS_GRAYRECT", 0x5L}, {"SS_WHITERECT", 0x6L},
    {"SS_BLACKFRAME", 0x7L}, {"SS_GRAYFRAME", 0x8L}, {"SS_WHITEFRAME", 0x9L},
    {"SS_SIMPLE", 0xBL}, {"SS_LEFTNOWORDWRAP", 0xCL}, {"SS_BITMAP", 0xEL},
    {"SS_ETCHEDHORZ", 0x10L}, {"SS_ETCHEDVERT", 0x11L}, {"SS_ETCHEDFRAME", 0x12L},
    {"SS_NOPREFIX", 0x80L}, {"SS_NOTIFY", 0x100L}, {"SS_CENTERIMAGE", 0x200L},
    {"SS_SUNKEN", 0x1000L},
    // virtual keys
    {"VK_BACK", 0x08}, {"VK_TAB", 0x09}, {"VK_RETURN", 0x0D}, {"VK_ESCAPE", 0x1B}, {"VK_SPACE", 0x20},
    {"VK_PRIOR", 0x21}, {"VK_NEXT", 0x22}, {"VK_END", 0x23}, {"VK_HOME", 0x24}, {"VK_LEFT", 0x25},
    {"VK_UP", 0x26}, {"VK_RIGHT", 0x27}, {"VK_DOWN", 0x28}, {"VK_INSERT", 0x2D}, {"VK_DELETE", 0x2E},
    {"VK_ADD", 0x6B}, {"VK_SUBTRACT", 0x6D}, {"VK_F1", 0x70}, {"VK_F2", 0x71}, {"VK_F3", 0x72},
    {"VK_F4", 0x73}, {"VK_F5", 0x74}, {"VK_F6", 0x75}, {"VK_F7", 0x76}, {"VK_F8", 0x77}, {"VK_F9", 0x78},
    {"VK_F10", 0x79}, {"VK_F11", 0x7A}, {"VK_F12", 0x7B},
    // dialog command ids, and the id resource editors give to statics nobody addresses
    {"IDOK", 1}, {"IDCANCEL", 2}, {"IDABORT", 3}, {"IDRETRY", 4}, {"IDIGNORE", 5},
    {"IDYES", 6}, {"IDNO", 7}, {"IDCLOSE", 8}, {"IDHELP", 9}, {"IDC_STATIC", -1},
};

std::optional<long> Win32Constant(std::string_view name) {
    for (const Constant& c : kConstants)
        if (c.name == name) return c.value;
    return std::nullopt;
}

constexpr uint32_t kChildVisible = 0x40000000u | 0x10000000u;  // WS_CHILD | WS_VISIBLE

// The control statements other than CONTROL: the class they make, and their default style
// before the statement's own bits are added.
struct ControlKind {
    std::string_view keyword;
    std::string_view cls;
    uint32_t style;
    bool hasText;
};
constexpr uint32_t kGroup = 0x00020000u, kTabStop = 0x00010000u, kBorder = 0x00800000u;
constexpr ControlKind kControlKinds[] = {
    {"LTEXT", "STATIC", 0x0 | kGroup, true},          // SS_LEFT
    {"CTEXT", "STATIC", 0x1 | kGroup, true},          // SS_CENTER
    {"RTEXT", "STATIC", 0x2 | kGroup, true},          // SS_RIGHT
    {"ICON", "STATIC", 0x3, true},                    // SS_ICON
    {"PUSHBUTTON", "BUTTON", 0x0 | kTabStop, true},   // BS_PUSHBUTTON
    {"DEFPUSHBUTTON", "BUTTON", 0x1 | kTabStop, true},
    {"CHECKBOX", "BUTTON", 0x2 | kTabStop, true},
    {"AUTOCHECKBOX", "BUTTON", 0x3 | kTabStop, true},
    {"RADIOBUTTON", "BUTTON", 0x4 | kTabStop, true},
    {"STATE3", "BUTTON", 0x5 | kTabStop, true},
    {"AUTO3STATE", "BUTTON", 0x6 | kTabStop, true},
    {"GROUPBOX", "BUTTON", 0x7, true},
    {"AUTORADIOBUTTON", "BUTTON", 0x9 | kTabStop, true},
    {"EDITTEXT", "EDIT", 0x0 | kBorder | kTabStop, false},  // ES_LEFT
};

// ------------------------------------------------------------------ text helpers

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

std::string Upper(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return r;
}

void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five bytes it leaves undefined
// map to the C1 controls of the same value, as Windows converts them.
uint32_t Cp1252ToUnicode(unsigned char b) {
    static constexpr std::array<uint16_t, 32> high{
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    return b >= 0x80 && b < 0xA0 ? high[b - 0x80] : b;
}

// Length of the well-formed UTF-8 sequence at s[i], or 0.
size_t Utf8SequenceLength(std::string_view s, size_t i) {
    const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    size_t n;
    uint32_t cp;
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) n = 2, cp = c & 0x1F;
    else if (c >= 0xE0 && c <= 0xEF) n = 3, cp = c & 0x0F;
    else if (c >= 0xF0 && c <= 0xF4) n = 4, cp = c & 0x07;
    else return 0;
    if (i + n > s.size()) return 0;
    for (size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        cp = cp << 6 | (b(i + k) & 0x3F);
    }
    if ((n == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
        return 0;
    return n;
}

// ------------------------------------------------------------------ tokens

struct Failure {
    std::string message;
};

struct Token {
    enum Kind { Name, Number, String, Punct, End };
    Kind kind = End;
    std::string text;  // Name: as written; String: the decoded UTF-8 text; Punct: the operator
    long value = 0;    // Number
    const std::string* source = nullptr;  // include name, or null for the script itself
    int line = 0;

    bool Is(std::string_view punct) const { return kind == Punct && text == punct; }
    bool IsWord(std::string_view word) const { return kind == Name && EqualNoCase(text, word); }
};

std::string Where(const std::string* source, int line) {
    return source ? *source + ", line " + std::to_string(line) : "line " + std::to_string(line);
}

[[noreturn]] void Fail(const std::string* source, int line, const std::string& what) {
    throw Failure{Where(source, line) + ": " + what};
}
[[noreturn]] void Fail(const Token& t, const std::string& what) { Fail(t.source, t.line, what); }

std::string Describe(const Token& t) {
    switch (t.kind) {
    case Token::Name: return "'" + t.text + "'";
    case Token::Number: return "number " + std::to_string(t.value);
    case Token::String: return "string \"" + t.text + "\"";
    case Token::Punct: return "'" + t.text + "'";
    case Token::End: return "end of script";
    }
    return "?";
}

enum class CodePage { Utf8, Windows1252 };

// Splits one line (without its line end) into tokens. A block comment may run on to later
// lines: *inComment carries that across calls.
class LineLexer {
public:
    LineLexer(std::string_view line, const std::string* source, int lineNo, CodePage cp, bool* inComment)
        : s_(line), source_(source), line_(lineNo), cp_(cp), inComment_(inComment) {}

    std::vector<Token> Run() {
        std::vector<Token> out;
        while (true) {
            if (*inComment_) {
                const size_t end = s_.find("*/", i_);
                if (end == std::string_view::npos) return out;
                *inComment_ = false;
                i_ = end + 2;
            }
            while (i_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[i_]))) ++i_;
            if (i_ >= s_.size()) return out;
            if (s_.compare(i_, 2, "//") == 0) return out;
            if (s_.compare(i_, 2, "/*") == 0) {
                *inComment_ = true;
                i_ += 2;
                continue;
            }
            out.push_back(Next());
        }
    }

private:
    Token Make(Token::Kind kind) const {
        Token t;
        t.kind = kind;
        t.source = source_;
        t.line = line_;
        return t;
    }

    Token Next() {
        const char c = s_[i_];
        if (c == '"' || ((c == 'L' || c == 'l') && i_ + 1 < s_.size() && s_[i_ + 1] == '"')) {
            if (c != '"') ++i_;
            return String();
        }
        if (std::isdigit(static_cast<unsigned char>(c))) return Number();
        if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            Token t = Make(Token::Name);
            while (i_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[i_])) || s_[i_] == '_')) t.text += s_[i_++];
            return t;
        }
        static constexpr std::string_view twoChar[] = {"==", "!=", "<=", ">=", "&&", "||", "<<", ">>"};
        for (std::string_view op : twoChar) {
            if (s_.compare(i_, 2, op) == 0) {
                Token t = Make(Token::Punct);
                t.text = op;
                i_ += 2;
                return t;
            }
        }
        if (std::string_view(",|&+-*/%^~!()<>{}?:=#").find(c) != std::string_view::npos) {
            Token t = Make(Token::Punct);
            t.text = c;
            ++i_;
            return t;
        }
        Fail(source_, line_, std::string("unexpected character '") + c + "'");
    }

    Token Number() {
        Token t = Make(Token::Number);
        unsigned base = 10;
        if (s_[i_] == '0' && i_ + 1 < s_.size() && (s_[i_ + 1] == 'x' || s_[i_ + 1] == 'X')) {
            base = 16;
            i_ += 2;
        }
        uint64_t v = 0;
        size_t digits = 0;
        while (i_ < s_.size() && std::isxdigit(static_cast<unsigned char>(s_[i_]))) {
            const char d = s_[i_];
            const unsigned dv = std::isdigit(static_cast<unsigned char>(d)) ? static_cast<unsigned>(d - '0')
                                                                            : static_cast<unsigned>(std::toupper(d) - 'A' + 10);
            if (dv >= base) break;
            if (v > (UINT64_MAX - dv) / base) Fail(source_, line_, "number too large");
            v = v * base + dv;
            ++digits;
            ++i_;
        }
        if (digits == 0) Fail(source_, line_, "malformed number");
        while (i_ < s_.size() && std::string_view("uUlL").find(s_[i_]) != std::string_view::npos) ++i_;
        if (i_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[i_])) || s_[i_] == '_'))
            Fail(source_, line_, "malformed number");
        t.value = static_cast<long>(v);
        return t;
    }

    // "" stands for one quote, as in the resource compilers; the C escapes \" \\ \t \n \r \a
    // \0 and \xHH are understood too. A \x byte from 0x80 up is read as Windows-1252.
    Token String() {
        Token t = Make(Token::String);
        ++i_;  // opening quote
        while (true) {
            if (i_ >= s_.size()) Fail(source_, line_, "string without its closing quote");
            const char c = s_[i_];
            if (c == '"') {
                if (i_ + 1 < s_.size() && s_[i_ + 1] == '"') {
                    t.text += '"';
                    i_ += 2;
                    continue;
                }
                ++i_;
                return t;
            }
            if (c == '\\') {
                Escape(t.text);
                continue;
            }
            const auto b = static_cast<unsigned char>(c);
            if (b < 0x80) {
                t.text += c;
                ++i_;
            } else if (cp_ == CodePage::Windows1252) {
                AppendUtf8(t.text, Cp1252ToUnicode(b));
                ++i_;
            } else {
                const size_t n = Utf8SequenceLength(s_, i_);
                if (n == 0) Fail(source_, line_, "string is not valid UTF-8 (is the code page pragma right?)");
                t.text.append(s_.substr(i_, n));
                i_ += n;
            }
        }
    }

    void Escape(std::string& out) {
        ++i_;  // backslash
        if (i_ >= s_.size()) Fail(source_, line_, "string without its closing quote");
        const char e = s_[i_++];
        switch (e) {
        case 'n': out += '\n'; return;
        case 't': out += '\t'; return;
        case 'r': out += '\r'; return;
        case 'a': out += '\a'; return;
        case '\\': out += '\\'; return;
        case '"': out += '"'; return;
        case '0': out += '\0'; return;
        case 'x':
        case 'X': {
            unsigned v = 0, n = 0;
            while (n < 2 && i_ < s_.size() && std::isxdigit(static_cast<unsigned char>(s_[i_]))) {
                const char d = s_[i_++];
                v = v * 16 + (std::isdigit(static_cast<unsigned char>(d)) ? d - '0' : std::toupper(d) - 'A' + 10);
                ++n;
            }
            if (n == 0) Fail(source_, line_, "\\x without hexadecimal digits");
            AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(v)));
            return;
        }
        default: Fail(source_, line_, std::string("unknown escape '\\") + e + "'");
        }
    }

    std::string_view s_;
    size_t i_ = 0;
    const std::string* source_;
    int line_;
    CodePage cp_;
    bool* inComment_;
};

// ------------------------------------------------------------------ expressions

// Evaluates C-style integer expressions over a token range. Names are resolved by the caller:
// to a number, or nullopt for an error. Arithmetic wraps rather than overflowing.
class Expr {
public:
    using Resolver = std::function<std::optional<long>(const Token&)>;

    Expr(const std::vector<Token>& toks, size_t& pos, Resolver resolve) : t_(toks), pos_(pos), resolve_(std::move(resolve)) {}

    long Parse(int minPrec = 1) {
        long lhs = Unary();
        while (true) {
            const Token& op = Peek();
            const int prec = Precedence(op);
            if (prec < minPrec) return lhs;
            ++pos_;
            if (op.Is("?")) {
                const long a = Parse(1);
                Expect(":");
                const long b = Parse(prec);
                lhs = lhs ? a : b;
                continue;
            }
            const long rhs = Parse(prec + 1);
            lhs = Apply(op, lhs, rhs);
        }
    }

    long Unary() {
        const Token& t = Peek();
        if (t.Is("-")) return ++pos_, static_cast<long>(0ull - static_cast<unsigned long>(Unary()));
        if (t.Is("+")) return ++pos_, Unary();
        if (t.Is("~")) return ++pos_, ~Unary();
        if (t.Is("!")) return ++pos_, !Unary();
        if (t.Is("(")) {
            ++pos_;
            const long v = Parse(1);
            Expect(")");
            return v;
        }
        if (t.kind == Token::Number) return ++pos_, t.value;
        if (t.kind == Token::Name) {
            const std::optional<long> v = resolve_(t);
            if (!v) Fail(t, "unknown name '" + t.text + "'");
            ++pos_;
            return *v;
        }
        Fail(t, "a number was expected, not " + Describe(t));
    }

    const Token& Peek() const { return t_[std::min(pos_, t_.size() - 1)]; }

private:
    static int Precedence(const Token& t) {
        if (t.kind != Token::Punct) return 0;
        static constexpr std::pair<std::string_view, int> table[] = {
            {"?", 1},  {"||", 2}, {"&&", 3}, {"|", 4},  {"^", 5},  {"&", 6},  {"==", 7},
            {"!=", 7}, {"<", 8},  {">", 8},  {"<=", 8}, {">=", 8}, {"<<", 9}, {">>", 9},
            {"+", 10}, {"-", 10}, {"*", 11}, {"/", 11}, {"%", 11},
        };
        for (const auto& [op, p] : table)
            if (t.text == op) return p;
        return 0;
    }

    long Apply(const Token& op, long a, long b) const {
        const auto ua = static_cast<unsigned long>(a), ub = static_cast<unsigned long>(b);
        const std::string& o = op.text;
        if (o == "||") return a || b;
        if (o == "&&") return a && b;
        if (o == "|") return static_cast<long>(ua | ub);
        if (o == "^") return static_cast<long>(ua ^ ub);
        if (o == "&") return static_cast<long>(ua & ub);
        if (o == "==") return a == b;
        if (o == "!=") return a != b;
        if (o == "<") return a < b;
        if (o == ">") return a > b;
        if (o == "<=") return a <= b;
        if (o == ">=") return a >= b;
        if (o == "<<") return static_cast<long>(ua << (ub & 63));
        if (o == ">>") return a >> (ub & 63);
        if (o == "+") return static_cast<long>(ua + ub);
        if (o == "-") return static_cast<long>(ua - ub);
        if (o == "*") return static_cast<long>(ua * ub);
        if (b == 0) Fail(op, "division by zero");
        if (b == -1) return o == "/" ? static_cast<long>(0ul - ua) : 0;  // LONG_MIN / -1 overflows
        return o == "/" ? a / b : a % b;
    }

    void Expect(std::string_view punct) {
        if (!Peek().Is(punct)) Fail(Peek(), "'" + std::string(punct) + "' was expected, not " + Describe(Peek()));
        ++pos_;
    }

    const std::vector<Token>& t_;
    size_t& pos_;
    Resolver resolve_;
};

// ------------------------------------------------------------------ preprocessor

class Preprocessor {
public:
    explicit Preprocessor(const std::function<std::optional<std::string>(const std::string&)>& loader) : loader_(loader) {}

    void Run(std::string_view text, const std::string* source, int depth) {
        struct Conditional {
            bool outerActive;
            bool active;
            bool taken;  // some branch of this #if has been chosen
            bool sawElse;
            int line;
        };
        std::vector<Conditional> conds;
        const auto active = [&] { return conds.empty() || conds.back().active; };
        bool inComment = false;

        size_t pos = 0;
        int lineNo = 0;
        while (pos <= text.size()) {
            // A logical line: physical lines joined where one ends in a backslash.
            const int firstLine = lineNo + 1;
            std::string line;
            while (true) {
                size_t end = text.find('\n', pos);
                if (end == std::string_view::npos) end = text.size();
                std::string_view phys = text.substr(pos, end - pos);
                if (!phys.empty() && phys.back() == '\r') phys.remove_suffix(1);
                pos = end + 1;
                ++lineNo;
                if (!phys.empty() && phys.back() == '\\' && pos <= text.size()) {
                    line.append(phys.substr(0, phys.size() - 1));
                    continue;
                }
                line.append(phys);
                break;
            }
            if (lineNo == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);  // byte-order mark

            const size_t first = line.find_first_not_of(" \t");
            if (!inComment && first != std::string::npos && line[first] == '#') {
                Directive(std::string_view(line).substr(first + 1), source, firstLine, depth, conds, active());
                continue;
            }
            if (!active()) {
                SkipComments(line, &inComment);
                continue;
            }
            LineLexer lexer(line, source, firstLine, codePage_, &inComment);
            for (const Token& t : lexer.Run()) Expand(t, {}, out_);
        }
        if (!conds.empty()) Fail(source, conds.back().line, "#if without its #endif");
        if (inComment) Fail(source, lineNo, "comment without its end");
    }

    struct Macro {
        std::vector<Token> body;
        std::string error;  // the body could not be read
    };

    std::vector<Token>& tokens() { return out_; }
    const std::map<std::string, Macro>& macros() const { return macros_; }

    // Replaces a defined name by its definition, again and again, but never a name inside its
    // own expansion (as C does).
    void Expand(const Token& t, std::set<std::string> expanding, std::vector<Token>& out) const {
        const auto m = t.kind == Token::Name ? macros_.find(t.text) : macros_.end();
        if (m == macros_.end() || expanding.count(t.text)) {
            out.push_back(t);
            return;
        }
        if (!m->second.error.empty()) Fail(t, "'" + t.text + "' is defined as something unreadable: " + m->second.error);
        expanding.insert(t.text);
        for (Token r : m->second.body) {
            r.source = t.source;  // errors point at the use
            r.line = t.line;
            Expand(r, expanding, out);
        }
    }

private:
    // Only block comments matter in a skipped region: they may hide a '#'.
    static void SkipComments(const std::string& line, bool* inComment) {
        size_t i = 0;
        while (i < line.size()) {
            if (*inComment) {
                const size_t end = line.find("*/", i);
                if (end == std::string::npos) return;
                *inComment = false;
                i = end + 2;
            } else if (line.compare(i, 2, "//") == 0) {
                return;
            } else if (line.compare(i, 2, "/*") == 0) {
                *inComment = true;
                i += 2;
            } else {
                ++i;
            }
        }
    }

    template <typename Conds>
    void Directive(std::string_view rest, const std::string* source, int line, int depth, Conds& conds, bool active) {
        size_t i = 0;
        const auto skipSpace = [&] {
            while (i < rest.size() && (rest[i] == ' ' || rest[i] == '\t')) ++i;
        };
        skipSpace();
        const size_t wordAt = i;
        while (i < rest.size() && (std::isalnum(static_cast<unsigned char>(rest[i])) || rest[i] == '_')) ++i;
        const std::string word(rest.substr(wordAt, i - wordAt));
        skipSpace();
        const std::string args(rest.substr(i));
        const auto lexArgs = [&] {
            bool inComment = false;
            std::vector<Token> toks = LineLexer(args, source, line, CodePage::Utf8, &inComment).Run();
            if (inComment) Fail(source, line, "a comment may not run on from a directive line");
            return toks;
        };
        const auto name = [&](const std::vector<Token>& toks) {
            if (toks.empty() || toks[0].kind != Token::Name) Fail(source, line, "#" + word + " needs a name");
            return toks[0].text;
        };

        if (word.empty()) {
            if (args.empty()) return;  // a lone '#' is allowed
            Fail(source, line, "directive expected after '#'");
        }
        if (word == "if" || word == "ifdef" || word == "ifndef") {
            bool cond = false;
            if (active) {
                if (word == "if") cond = Condition(lexArgs(), source, line);
                else cond = (macros_.count(name(lexArgs())) != 0) == (word == "ifdef");
            }
            conds.push_back({active, active && cond, active && cond, false, line});
            return;
        }
        if (word == "elif" || word == "else" || word == "endif") {
            if (conds.empty()) Fail(source, line, "#" + word + " without #if");
            auto& c = conds.back();
            if (word == "endif") {
                conds.pop_back();
                return;
            }
            if (c.sawElse) Fail(source, line, "#" + word + " after #else");
            if (word == "else") {
                c.sawElse = true;
                c.active = c.outerActive && !c.taken;
            } else {
                c.active = c.outerActive && !c.taken && Condition(lexArgs(), source, line);
            }
            c.taken = c.taken || c.active;
            return;
        }
        if (!active) return;

        if (word == "define") {
            size_t n = 0;
            while (n < args.size() && (std::isalnum(static_cast<unsigned char>(args[n])) || args[n] == '_')) ++n;
            if (n == 0 || std::isdigit(static_cast<unsigned char>(args[0]))) Fail(source, line, "#define needs a name");
            const std::string macro = args.substr(0, n);
            // NAME( with no space is a macro with parameters, which a resource script never needs.
            if (n < args.size() && args[n] == '(') return;
            Macro m;
            try {
                bool inComment = false;
                m.body = LineLexer(std::string_view(args).substr(n), source, line, codePage_, &inComment).Run();
                if (inComment) Fail(source, line, "a comment may not run on from a directive line");
            } catch (const Failure& f) {
                m.error = f.message;  // only a fault if the name is ever used
            }
            macros_[macro] = std::move(m);
            return;
        }
        if (word == "undef") {
            macros_.erase(name(lexArgs()));
            return;
        }
        if (word == "include") {
            if (!args.empty() && args[0] == '"') {
                const size_t close = args.find('"', 1);
                if (close == std::string::npos) Fail(source, line, "#include without the closing quote");
                const std::string file = args.substr(1, close - 1);
                const std::optional<std::string> text = loader_ ? loader_(file) : std::nullopt;
                if (!text) Fail(source, line, "cannot include \"" + file + "\"");
                if (depth >= 16) Fail(source, line, "includes nested too deeply");
                sources_.push_back(std::make_unique<std::string>(file));
                Run(*text, sources_.back().get(), depth + 1);
                return;
            }
            if (!args.empty() && args[0] == '<') return;  // the SDK's headers: their constants are built in
            Fail(source, line, "#include needs \"file\" or <file>");
        }
        if (word == "pragma") {
            if (args.compare(0, 9, "code_page") == 0) {
                const std::vector<Token> toks = lexArgs();
                if (toks.size() < 4 || !toks[1].Is("(") || toks[2].kind != Token::Number || !toks[3].Is(")"))
                    Fail(source, line, "#pragma code_page needs a number in parentheses");
                if (toks[2].value == 65001) codePage_ = CodePage::Utf8;
                else if (toks[2].value == 1252) codePage_ = CodePage::Windows1252;
                else Fail(toks[2], "code page " + std::to_string(toks[2].value) + " is not supported (65001 or 1252)");
            }
            return;  // other pragmas concern other tools
        }
        if (word == "error") Fail(source, line, "#error " + args);
        if (word == "line") return;
        Fail(source, line, "unknown directive #" + word);
    }

    // #if: defined(NAME) and defined NAME test for a definition; other names are replaced by
    // their definitions, and what is left unknown counts as 0, as in C.
    bool Condition(const std::vector<Token>& toks, const std::string* source, int line) {
        std::vector<Token> expr;
        for (size_t i = 0; i < toks.size(); ++i) {
            if (toks[i].kind == Token::Name && toks[i].text == "defined") {
                const bool paren = i + 1 < toks.size() && toks[i + 1].Is("(");
                const size_t nameAt = i + (paren ? 2 : 1);
                if (nameAt >= toks.size() || toks[nameAt].kind != Token::Name || (paren && (nameAt + 1 >= toks.size() || !toks[nameAt + 1].Is(")"))))
                    Fail(toks[i], "defined needs a name");
                Token v = toks[i];
                v.kind = Token::Number;
                v.value = macros_.count(toks[nameAt].text) ? 1 : 0;
                expr.push_back(v);
                i = nameAt + (paren ? 1 : 0);
                continue;
            }
            Expand(toks[i], {}, expr);
        }
        if (expr.empty()) Fail(source, line, "#if needs an expression");
        Token end;
        end.source = source;
        end.line = line;
        expr.push_back(end);
        size_t pos = 0;
        const long v = Expr(expr, pos, [](const Token&) { return std::optional<long>(0); }).Parse();
        if (expr[pos].kind != Token::End) Fail(expr[pos], "unexpected " + Describe(expr[pos]));
        return v != 0;
    }

    const std::function<std::optional<std::string>(const std::string&)>& loader_;
    std::map<std::string, Macro> macros_;
    std::vector<Token> out_;
    CodePage codePage_ = CodePage::Utf8;
    // The names of the included files, which tokens point at for their error messages.
    std::vector<std::unique_ptr<std::string>> sources_;
};

// ------------------------------------------------------------------ resources

class ResourceParser {
public:
    explicit ResourceParser(std::vector<Token>& toks) : t_(toks) {}

    void Run(Script& script) {
        while (Peek().kind != Token::End) {
            if (Peek().IsWord("LANGUAGE") && SkipCommonStatement()) continue;
            if (Peek().IsWord("STRINGTABLE") || Peek().IsWord("VERSIONINFO"))
                Fail(Peek(), "resource type " + Describe(Peek()) + " is not supported");
            const Token nameTok = Take();
            std::string name = ResourceName(nameTok);
            const Token type = Take();
            if (type.kind != Token::Name) Fail(type, "resource type expected after the name, not " + Describe(type));
            SkipMemoryOptions();
            if (type.IsWord("MENU")) {
                script.menus.push_back(ParseMenu(std::move(name)));
            } else if (type.IsWord("ACCELERATORS")) {
                script.accelerators.push_back(ParseAccelerators(std::move(name)));
            } else if (type.IsWord("DIALOG") || type.IsWord("DIALOGEX")) {
                script.dialogs.push_back(ParseDialog(std::move(name), type.IsWord("DIALOGEX")));
            } else if (type.IsWord("BITMAP") || type.IsWord("ICON") || type.IsWord("CURSOR") ||
                       type.IsWord("RT_MANIFEST")) {
                const Token file = Take();
                if (file.kind != Token::String) Fail(file, "file name in quotes expected, not " + Describe(file));
                const std::string kind = type.IsWord("RT_MANIFEST") ? "MANIFEST" : Upper(type.text);
                script.files.push_back({std::move(name), kind, file.text});
            } else {
                Fail(type, "resource type " + Describe(type) + " is not supported");
            }
        }
    }

private:
    const Token& Peek(size_t ahead = 0) const { return t_[std::min(pos_ + ahead, t_.size() - 1)]; }
    Token Take() {
        Token t = Peek();
        if (t.kind != Token::End) ++pos_;
        return t;
    }
    void Comma() {
        if (Peek().Is(",")) ++pos_;
    }
    void Expect(std::string_view punct) {
        if (!Peek().Is(punct)) Fail(Peek(), "'" + std::string(punct) + "' was expected, not " + Describe(Peek()));
        ++pos_;
    }
    bool AtBegin() const { return Peek().IsWord("BEGIN") || Peek().Is("{"); }
    bool AtEnd() const { return Peek().IsWord("END") || Peek().Is("}"); }
    void Begin() {
        if (!AtBegin()) Fail(Peek(), "BEGIN was expected, not " + Describe(Peek()));
        ++pos_;
    }

    static std::optional<long> Resolve(const Token& t) { return Win32Constant(t.text); }

    long Number() {
        Expr e(t_, pos_, Resolve);
        return e.Parse();
    }

    // Style: names joined by '|', each adding its bits to what came before, and NOT NAME taking
    // them away, starting from the statement's default style.
    uint32_t Style(uint32_t initial) {
        auto style = static_cast<unsigned long>(initial);
        while (true) {
            if (Peek().IsWord("NOT")) {
                ++pos_;
                style &= ~static_cast<unsigned long>(Expr(t_, pos_, Resolve).Unary());
            } else {
                style |= static_cast<unsigned long>(Expr(t_, pos_, Resolve).Parse(5));  // above '|'
            }
            if (!Peek().Is("|")) return static_cast<uint32_t>(style);
            ++pos_;
        }
    }

    static std::string ResourceName(const Token& t) {
        if (t.kind == Token::Name || t.kind == Token::String) return t.text;
        if (t.kind == Token::Number) return "#" + std::to_string(t.value);
        Fail(t, "resource name expected, not " + Describe(t));
    }

    void SkipMemoryOptions() {
        static constexpr std::string_view options[] = {"PRELOAD", "LOADONCALL", "FIXED", "MOVEABLE", "DISCARDABLE",
                                                       "PURE", "IMPURE", "SHARED", "NONSHARED"};
        while (std::any_of(std::begin(options), std::end(options), [&](std::string_view o) { return Peek().IsWord(o); })) ++pos_;
    }

    // Statements a resource may carry before its BEGIN that change nothing here.
    bool SkipCommonStatement() {
        if (Peek().IsWord("LANGUAGE")) {
            // The LANG_ and SUBLANG_ names are many and change nothing here: any name will do.
            const auto anyName = [](const Token&) { return std::optional<long>(0); };
            ++pos_;
            Expr(t_, pos_, anyName).Parse();
            Comma();
            Expr(t_, pos_, anyName).Parse();
            return true;
        }
        if (Peek().IsWord("CHARACTERISTICS") || Peek().IsWord("VERSION")) {
            ++pos_;
            Number();
            return true;
        }
        return false;
    }

    std::string Text(const char* what) {
        const Token t = Take();
        if (t.kind != Token::String) Fail(t, std::string(what) + " in quotes expected, not " + Describe(t));
        return t.text;
    }

    Menu ParseMenu(std::string name) {
        Menu menu{std::move(name), {}};
        while (SkipCommonStatement()) {
        }
        menu.items = MenuItems();
        return menu;
    }

    std::vector<MenuItem> MenuItems() {
        Begin();
        std::vector<MenuItem> items;
        while (!AtEnd()) {
            const Token kw = Take();
            MenuItem item;
            if (kw.IsWord("MENUITEM")) {
                if (Peek().IsWord("SEPARATOR")) {
                    ++pos_;
                    item.separator = true;
                } else {
                    item.text = Text("menu item text");
                    Comma();
                    item.id = static_cast<int>(Number());
                    MenuOptions();
                }
            } else if (kw.IsWord("POPUP")) {
                item.popup = true;
                item.text = Text("pop-up text");
                MenuOptions();
                item.items = MenuItems();
            } else {
                Fail(kw, "MENUITEM or POPUP expected, not " + Describe(kw));
            }
            items.push_back(std::move(item));
        }
        ++pos_;  // END
        return items;
    }

    // Each line: key, id [, type and modifiers]. The key is a character in quotes ("^C" for
    // Ctrl+C), or a number, which with VIRTKEY is a virtual-key code (VK_ names, or "A" for A).
    AcceleratorTable ParseAccelerators(std::string name) {
        AcceleratorTable table{std::move(name), {}};
        while (SkipCommonStatement()) {
        }
        Begin();
        while (!AtEnd()) {
            Accelerator a;
            const Token key = Peek();
            bool control = false;
            if (key.kind == Token::String) {
                ++pos_;
                std::string k = key.text;
                if (k.size() == 2 && k[0] == '^') {
                    control = true;
                    k = k.substr(1);
                }
                if (k.size() != 1) Fail(key, "an accelerator key is one character, not " + Describe(key));
                a.key = static_cast<unsigned char>(control ? std::toupper(static_cast<unsigned char>(k[0])) - '@' : k[0]);
            } else {
                a.key = static_cast<int>(Number());
            }
            Comma();
            a.id = static_cast<int>(Number());
            while (Peek().Is(",")) {
                ++pos_;
                const Token o = Take();
                if (o.IsWord("VIRTKEY")) a.virtkey = true;
                else if (o.IsWord("ASCII") || o.IsWord("NOINVERT")) continue;
                else if (o.IsWord("CONTROL")) a.control = true;
                else if (o.IsWord("SHIFT")) a.shift = true;
                else if (o.IsWord("ALT")) a.alt = true;
                else Fail(o, "accelerator option expected, not " + Describe(o));
            }
            if (control && a.virtkey) Fail(key, "a ^ key cannot be VIRTKEY");
            // With VIRTKEY a letter in quotes names its key, whose code is the capital letter.
            if (a.virtkey && key.kind == Token::String) a.key = std::toupper(a.key);
            if ((a.control || a.shift || a.alt) && !a.virtkey) Fail(key, "CONTROL, SHIFT and ALT need VIRTKEY");
            table.keys.push_back(a);
        }
        ++pos_;  // END
        return table;
    }

    void MenuOptions() {
        static constexpr std::string_view options[] = {"CHECKED", "GRAYED", "HELP", "INACTIVE", "MENUBARBREAK", "MENUBREAK"};
        while (Peek().Is(",") ||
               std::any_of(std::begin(options), std::end(options), [&](std::string_view o) { return Peek().IsWord(o); }))
            ++pos_;
    }

    Dialog ParseDialog(std::string name, bool ex) {
        Dialog d;
        d.name = std::move(name);
        d.x = static_cast<int>(Number());
        Comma();
        d.y = static_cast<int>(Number());
        Comma();
        d.w = static_cast<int>(Number());
        Comma();
        d.h = static_cast<int>(Number());
        if (ex && Peek().Is(",")) {  // help id
            ++pos_;
            Number();
        }
        // As the resource compilers do: a dialog without STYLE is a bordered pop-up with a
        // system menu; CAPTION and FONT add the bits that make the caption and the font count.
        uint32_t style = 0x80000000u | 0x00800000u | 0x00080000u;  // WS_POPUP | WS_BORDER | WS_SYSMENU
        bool hasCaption = false, hasFont = false;
        while (!AtBegin()) {
            if (SkipCommonStatement()) continue;
            const Token kw = Take();
            if (kw.IsWord("STYLE")) {
                style = Style(0);
            } else if (kw.IsWord("EXSTYLE")) {
                d.exStyle = Style(0);
            } else if (kw.IsWord("CAPTION")) {
                d.caption = Text("caption");
                hasCaption = true;
            } else if (kw.IsWord("FONT")) {
                d.fontSize = static_cast<int>(Number());
                Comma();
                d.fontName = Text("font name");
                for (int extra = 0; extra < 3 && Peek().Is(","); ++extra) {  // weight, italic, charset
                    ++pos_;
                    Number();
                }
                hasFont = true;
            } else if (kw.IsWord("CLASS") || kw.IsWord("MENU")) {
                const Token arg = Take();
                if (arg.kind != Token::String && arg.kind != Token::Name && arg.kind != Token::Number)
                    Fail(arg, "name expected after " + kw.text + ", not " + Describe(arg));
            } else {
                Fail(kw, "dialog statement or BEGIN expected, not " + Describe(kw));
            }
        }
        d.style = style | (hasCaption ? 0x00C00000u : 0u) | (hasFont ? 0x40u : 0u);  // WS_CAPTION, DS_SETFONT
        Begin();
        while (!AtEnd()) d.controls.push_back(ParseControl());
        ++pos_;  // END
        return d;
    }

    // The text of a control: a string, or a resource id (of an icon, say) as "#n".
    std::string ControlText() {
        if (Peek().kind == Token::String) return Take().text;
        if (Peek().kind == Token::Name && !Win32Constant(Peek().text)) return Take().text;
        return "#" + std::to_string(Number());
    }

    void Rect(Control& c, bool sizeOptional = false) {
        c.x = static_cast<int>(Number());
        Comma();
        c.y = static_cast<int>(Number());
        if (sizeOptional && !Peek().Is(",")) return;
        Comma();
        c.w = static_cast<int>(Number());
        Comma();
        c.h = static_cast<int>(Number());
    }

    // What may follow the rectangle: [, style [, exstyle [, help id]]].
    void Tail(Control& c, bool withStyle) {
        if (withStyle && Peek().Is(",")) {
            ++pos_;
            c.style = Style(c.style);
        }
        if (Peek().Is(",")) {
            ++pos_;
            c.exStyle = Style(0);
        }
        if (Peek().Is(",")) {
            ++pos_;
            Number();
        }
    }

    Control ParseControl() {
        const Token kw = Take();
        Control c;
        if (kw.IsWord("CONTROL")) {
            c.text = ControlText();
            Comma();
            c.id = static_cast<int>(Number());
            Comma();
            const Token cls = Take();
            if (cls.kind != Token::String && cls.kind != Token::Name) Fail(cls, "control class expected, not " + Describe(cls));
            c.cls = Upper(cls.text);
            Comma();
            c.style = Style(kChildVisible);
            Comma();
            Rect(c);
            Tail(c, false);
            return c;
        }
        if (kw.kind == Token::Name) {
            for (const ControlKind& k : kControlKinds) {
                if (!EqualNoCase(kw.text, k.keyword)) continue;
                c.cls = k.cls;
                c.style = kChildVisible | k.style;
                if (k.hasText) {
                    c.text = ControlText();
                    Comma();
                }
                c.id = static_cast<int>(Number());
                Comma();
                const bool isIcon = k.keyword == "ICON";
                Rect(c, isIcon);
                Tail(c, true);
                return c;
            }
        }
        Fail(kw, "control statement or END expected, not " + Describe(kw));
    }

    std::vector<Token>& t_;
    size_t pos_ = 0;
};

template <typename T>
const T* FindNamed(const std::vector<T>& v, std::string_view name) {
    for (const T& x : v)
        if (EqualNoCase(x.name, name)) return &x;
    return nullptr;
}

}  // namespace

const Menu* Script::menu(std::string_view name) const { return FindNamed(menus, name); }
const AcceleratorTable* Script::acceleratorTable(std::string_view name) const { return FindNamed(accelerators, name); }
const Dialog* Script::dialog(std::string_view name) const { return FindNamed(dialogs, name); }
const FileResource* Script::file(std::string_view name, std::string_view type) const {
    for (const FileResource& f : files)
        if (EqualNoCase(f.name, name) && EqualNoCase(f.type, type)) return &f;
    return nullptr;
}

Script Parse(std::string_view text, const std::function<std::optional<std::string>(const std::string&)>& includeLoader,
             std::string* error) {
    Script script;
    try {
        Preprocessor pp(includeLoader);
        pp.Run(text, nullptr, 0);
        Token end;
        end.line = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
        pp.tokens().push_back(end);
        ResourceParser(pp.tokens()).Run(script);

        // The names a program shares with its script, with the values the script gave them.
        for (const auto& [name, macro] : pp.macros()) {
            std::vector<Token> expanded;
            Token self;
            self.kind = Token::Name;
            self.text = name;
            try {
                pp.Expand(self, {}, expanded);
                if (expanded.empty()) continue;
                expanded.push_back(Token{});
                size_t pos = 0;
                const long v = Expr(expanded, pos, [](const Token& t) { return Win32Constant(t.text); }).Parse();
                if (expanded[pos].kind == Token::End) script.defines[name] = v;
            } catch (const Failure&) {
                // not a number: a name for something else, which no lookup needs
            }
        }
    } catch (const Failure& f) {
        if (error) *error = f.message;
        return Script{};
    }
    if (error) error->clear();
    return script;
}

}  // namespace rc
