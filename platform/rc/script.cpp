// script.cpp - the names a script may use without the SDK's headers, the lookups of a read
// script, and Parse, which runs the phases.
#include "reader.h"

#include <cctype>

namespace rc {
namespace reader {
namespace {

// Values as in the Windows SDK: the names res/orbix.rc uses and nothing more.
struct Constant {
    std::string_view name;
    long value;
};
// clang-format off
constexpr Constant kConstants[] = {
    {"WS_POPUP", 0x80000000L},     {"WS_VISIBLE", 0x10000000L},      {"WS_CAPTION", 0x00C00000L},
    {"WS_VSCROLL", 0x00200000L},   {"WS_SYSMENU", 0x00080000L},      {"WS_GROUP", 0x00020000L},
    {"WS_TABSTOP", 0x00010000L},   {"WS_EX_STATICEDGE", 0x00020000L}, {"DS_3DLOOK", 0x04L},
    {"DS_MODALFRAME", 0x80L},      {"DS_CONTEXTHELP", 0x2000L},      {"BS_AUTORADIOBUTTON", 0x9L},
    {"ES_MULTILINE", 0x4L},        {"ES_AUTOHSCROLL", 0x80L},        {"ES_READONLY", 0x800L},
    {"SS_ETCHEDFRAME", 0x12L},     {"VK_LEFT", 0x25},                {"VK_UP", 0x26},
    {"VK_RIGHT", 0x27},            {"VK_DOWN", 0x28},                {"VK_F1", 0x70},
    {"IDOK", 1},                   {"IDCANCEL", 2},
};
// clang-format on

}  // namespace

std::optional<long> BuiltIn(std::string_view name) {
    for (const Constant &c : kConstants)
        if (c.name == name) return c.value;
    return std::nullopt;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

bool Token::IsWord(std::string_view word) const { return kind == Name && EqualNoCase(text, word); }

void Fail(const std::string &source, int line, const std::string &what) {
    throw Failure{source + ", line " + std::to_string(line) + ": " + what};
}
void Fail(const Token &t, const std::string &what) { Fail(*t.source, t.line, what); }

std::string Describe(const Token &t) {
    switch (t.kind) {
    case Token::Name: return "'" + t.text + "'";
    case Token::Number: return "number " + std::to_string(t.value);
    case Token::String: return "string \"" + t.text + "\"";
    case Token::Punct: return "'" + t.text + "'";
    case Token::End: break;
    }
    return "end of script";
}

}  // namespace reader

namespace {
template <typename T>
const T *FindNamed(const std::vector<T> &v, std::string_view name) {
    for (const T &x : v)
        if (reader::EqualNoCase(x.name, name)) return &x;
    return nullptr;
}
}  // namespace

const Menu *Script::menu(std::string_view name) const { return FindNamed(menus, name); }
const AcceleratorTable *Script::acceleratorTable(std::string_view name) const { return FindNamed(accelerators, name); }
const Dialog *Script::dialog(std::string_view name) const { return FindNamed(dialogs, name); }
const FileResource *Script::file(std::string_view name, std::string_view type) const {
    for (const FileResource &f : files)
        if (reader::EqualNoCase(f.name, name) && reader::EqualNoCase(f.type, type)) return &f;
    return nullptr;
}

Script Parse(std::string_view name, std::string_view text, const IncludeLoader &loader, std::string *error) {
    try {
        Script script = reader::ParseResources(reader::Preprocess(name, text, loader));
        if (error) error->clear();
        return script;
    } catch (const reader::Failure &f) {
        if (error) *error = f.message;
        return Script{};
    }
}

}  // namespace rc
