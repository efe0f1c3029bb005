// parser.cpp - the tokens of a script into its resources.
#include "reader.h"

#include <algorithm>
#include <cctype>

namespace rc::reader {
namespace {

constexpr uint32_t kChildVisible = 0x40000000u | 0x10000000u;  // WS_CHILD | WS_VISIBLE
constexpr uint32_t kGroup = 0x00020000u, kTabStop = 0x00010000u, kBorder = 0x00800000u;

// The control statements other than CONTROL: the class they make, and their default style
// before the statement's own bits are added, as the resource compilers give them.
struct ControlKind {
    std::string_view keyword;
    std::string_view cls;
    uint32_t style;
    bool hasText;
};
constexpr ControlKind kControlKinds[] = {
    {"LTEXT", "STATIC", 0x0 | kGroup, true},                // SS_LEFT
    {"PUSHBUTTON", "BUTTON", 0x0 | kTabStop, true},         // BS_PUSHBUTTON
    {"DEFPUSHBUTTON", "BUTTON", 0x1 | kTabStop, true},      // BS_DEFPUSHBUTTON
    {"GROUPBOX", "BUTTON", 0x7, true},                      // BS_GROUPBOX
    {"EDITTEXT", "EDIT", 0x0 | kBorder | kTabStop, false},  // ES_LEFT
};

std::string Upper(std::string_view s) {
    std::string r(s);
    for (char &c : r) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return r;
}

class Parser {
public:
    explicit Parser(const Preprocessed &in) : t_(in.tokens), defines_(in.defines) {}

    Script Run() {
        Script script;
        while (Peek().kind != Token::End) {
            std::string name = ResourceName(Take());
            const Token type = Take();
            if (type.IsWord("MENU")) {
                script.menus.push_back({std::move(name), MenuItems()});
            } else if (type.IsWord("ACCELERATORS")) {
                script.accelerators.push_back({std::move(name), Accelerators()});
            } else if (type.IsWord("DIALOGEX")) {
                script.dialogs.push_back(DialogEx(std::move(name)));
            } else if (type.IsWord("BITMAP") || type.IsWord("ICON") || type.IsWord("RT_MANIFEST")) {
                std::string file = Text("file name");
                script.files.push_back({std::move(name), type.IsWord("RT_MANIFEST") ? "MANIFEST" : Upper(type.text), std::move(file)});
            } else {
                Fail(type, "resource type expected (MENU, ACCELERATORS, DIALOGEX, BITMAP, ICON or RT_MANIFEST), not " + Describe(type));
            }
        }
        return script;
    }

private:
    const Token &Peek() const { return t_[std::min(pos_, t_.size() - 1)]; }
    Token Take() {
        Token t = Peek();
        if (t.kind != Token::End) ++pos_;
        return t;
    }
    void Expect(char punct) {
        if (!Peek().Is(punct)) Fail(Peek(), std::string("'") + punct + "' was expected, not " + Describe(Peek()));
        ++pos_;
    }
    void ExpectWord(std::string_view word) {
        if (!Peek().IsWord(word)) Fail(Peek(), std::string(word) + " was expected, not " + Describe(Peek()));
        ++pos_;
    }
    bool AtEnd() const { return Peek().IsWord("END"); }

    std::string Text(const char *what) {
        const Token t = Take();
        if (t.kind != Token::String) Fail(t, std::string(what) + " in quotes expected, not " + Describe(t));
        return t.text;
    }

    // A number, a name the script defines or this reader knows, either with a '-' before it.
    long Value() {
        const bool negative = Peek().Is('-');
        if (negative) ++pos_;
        const Token t = Take();
        long v;
        if (t.kind == Token::Number) {
            v = t.value;
        } else if (t.kind == Token::Name) {
            const auto d = defines_.find(t.text);
            if (d != defines_.end() && !d->second) Fail(t, "'" + t.text + "' is defined as nothing");
            const std::optional<long> known = d != defines_.end() ? d->second : BuiltIn(t.text);
            if (!known) Fail(t, "unknown name '" + t.text + "'");
            v = *known;
        } else {
            Fail(t, "a number was expected, not " + Describe(t));
        }
        return negative ? -v : v;
    }
    int Int() { return static_cast<int>(Value()); }

    // Names joined by '|', each adding its bits to the statement's default style.
    uint32_t Style(uint32_t initial) {
        auto style = static_cast<unsigned long>(initial) | static_cast<unsigned long>(Value());
        while (Peek().Is('|')) {
            ++pos_;
            style |= static_cast<unsigned long>(Value());
        }
        return static_cast<uint32_t>(style);
    }

    std::string ResourceName(const Token &t) const {
        const auto d = t.kind == Token::Name ? defines_.find(t.text) : defines_.end();
        if (d != defines_.end() && d->second) return "#" + std::to_string(*d->second);
        if (t.kind == Token::Name) return t.text;
        if (t.kind == Token::Number) return "#" + std::to_string(t.value);
        Fail(t, "resource name expected, not " + Describe(t));
    }

    std::vector<MenuItem> MenuItems() {
        ExpectWord("BEGIN");
        std::vector<MenuItem> items;
        while (!AtEnd()) {
            const Token kw = Take();
            MenuItem item;
            if (kw.IsWord("MENUITEM") && Peek().IsWord("SEPARATOR")) {
                ++pos_;
                item.separator = true;
            } else if (kw.IsWord("MENUITEM")) {
                item.text = Text("menu item text");
                Expect(',');
                item.id = Int();
            } else if (kw.IsWord("POPUP")) {
                item.popup = true;
                item.text = Text("pop-up text");
                item.items = MenuItems();
            } else {
                Fail(kw, "MENUITEM, POPUP or END expected, not " + Describe(kw));
            }
            items.push_back(std::move(item));
        }
        ++pos_;  // END
        return items;
    }

    // With VIRTKEY a letter in quotes names its key, whose code is the capital letter.
    std::vector<Accelerator> Accelerators() {
        ExpectWord("BEGIN");
        std::vector<Accelerator> keys;
        while (!AtEnd()) {
            Accelerator a;
            if (Peek().kind == Token::String) {
                const Token key = Take();
                if (key.text.size() != 1 || !std::isalnum(static_cast<unsigned char>(key.text[0])))
                    Fail(key, "a key in quotes is one letter or digit, not " + Describe(key));
                a.key = std::toupper(static_cast<unsigned char>(key.text[0]));
            } else {
                a.key = Int();
            }
            Expect(',');
            a.id = Int();
            Expect(',');
            ExpectWord("VIRTKEY");
            while (Peek().Is(',')) {
                ++pos_;
                bool &modifier = Peek().IsWord("SHIFT") ? a.shift : a.control;
                if (!Peek().IsWord("SHIFT"))
                    ExpectWord("CONTROL");
                else
                    ++pos_;
                modifier = true;
            }
            keys.push_back(a);
        }
        ++pos_;  // END
        return keys;
    }

    Dialog DialogEx(std::string name) {
        Dialog d;
        d.name = std::move(name);
        d.x = Int();
        Expect(',');
        d.y = Int();
        Expect(',');
        d.w = Int();
        Expect(',');
        d.h = Int();
        // As the resource compilers do: a dialog without STYLE is a bordered pop-up with a
        // system menu; CAPTION and FONT add the bits that make the caption and the font count.
        d.style = 0x80000000u | 0x00800000u | 0x00080000u;  // WS_POPUP | WS_BORDER | WS_SYSMENU
        uint32_t implied = 0;
        while (!Peek().IsWord("BEGIN")) {
            const Token kw = Take();
            if (kw.IsWord("STYLE")) {
                d.style = Style(0);
            } else if (kw.IsWord("CAPTION")) {
                d.caption = Text("caption");
                implied |= 0x00C00000u;  // WS_CAPTION
            } else if (kw.IsWord("FONT")) {
                d.fontSize = Int();
                Expect(',');
                d.fontName = Text("font name");
                implied |= 0x40u;  // DS_SETFONT
            } else {
                Fail(kw, "STYLE, CAPTION, FONT or BEGIN expected, not " + Describe(kw));
            }
        }
        d.style |= implied;
        ++pos_;  // BEGIN
        while (!AtEnd()) d.controls.push_back(ParseControl());
        ++pos_;  // END
        return d;
    }

    void Rect(Control &c) {
        c.x = Int();
        Expect(',');
        c.y = Int();
        Expect(',');
        c.w = Int();
        Expect(',');
        c.h = Int();
    }

    Control ParseControl() {
        const Token kw = Take();
        Control c;
        if (kw.IsWord("CONTROL")) {
            c.text = Text("control text");
            Expect(',');
            c.id = Int();
            Expect(',');
            c.cls = Upper(Text("control class"));
            Expect(',');
            c.style = Style(kChildVisible);
            Expect(',');
            Rect(c);
            if (Peek().Is(',')) {  // the extended style, which the layer does not draw
                ++pos_;
                Style(0);
            }
            return c;
        }
        for (const ControlKind &k : kControlKinds) {
            if (!kw.IsWord(k.keyword)) continue;
            c.cls = k.cls;
            if (k.hasText) {
                c.text = Text("control text");
                Expect(',');
            }
            c.id = Int();
            Expect(',');
            Rect(c);
            c.style = kChildVisible | k.style;
            if (Peek().Is(',')) {
                ++pos_;
                c.style = Style(c.style);
            }
            return c;
        }
        Fail(kw,
             "control statement (CONTROL, LTEXT, PUSHBUTTON, DEFPUSHBUTTON, GROUPBOX or EDITTEXT) or END expected, not " + Describe(kw));
    }

    const std::vector<Token> &t_;
    const std::map<std::string, std::optional<long>> &defines_;
    size_t pos_ = 0;
};

}  // namespace

Script ParseResources(const Preprocessed &in) { return Parser(in).Run(); }

}  // namespace rc::reader
