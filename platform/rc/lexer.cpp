// lexer.cpp - the characters of one line of a script into tokens.
#include "reader.h"

#include <cctype>
#include <climits>
#include <cstdio>

namespace rc::reader {
namespace {

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Length of the well-formed UTF-8 sequence at s[i], or 0.
size_t Utf8SequenceLength(std::string_view s, size_t i) {
    const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    size_t n;
    uint32_t cp;
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF)
        n = 2, cp = c & 0x1F;
    else if (c >= 0xE0 && c <= 0xEF)
        n = 3, cp = c & 0x0F;
    else if (c >= 0xF0 && c <= 0xF4)
        n = 4, cp = c & 0x07;
    else
        return 0;
    if (i + n > s.size()) return 0;
    for (size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        cp = cp << 6 | (b(i + k) & 0x3F);
    }
    if ((n == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF))) return 0;
    return n;
}

}  // namespace

// Strings are followed so that "//" inside one is text; a string does not run on to the next line.
std::string WithoutComments(std::string_view line, bool *inComment) {
    std::string out(line);
    bool inString = false;
    for (size_t i = 0; i < out.size(); ++i) {
        if (*inComment) {
            if (out.compare(i, 2, "*/") == 0) {
                *inComment = false;
                out[i + 1] = ' ';
                out[i++] = ' ';
            } else {
                out[i] = ' ';
            }
        } else if (inString) {
            if (out[i] == '\\')
                ++i;
            else if (out[i] == '"')
                inString = false;
        } else if (out[i] == '"') {
            inString = true;
        } else if (out.compare(i, 2, "//") == 0) {
            out.resize(i);
        } else if (out.compare(i, 2, "/*") == 0) {
            *inComment = true;
            out[i] = out[i + 1] = ' ';
            ++i;
        }
    }
    return out;
}

std::vector<Token> Lex(std::string_view s, const std::string *source, int lineNo) {
    std::vector<Token> out;
    const auto fail = [&](const std::string &what) { Fail(*source, lineNo, what); };
    size_t i = 0;
    while (true) {
        while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
        if (i >= s.size()) return out;
        Token t;
        t.source = source;
        t.line = lineNo;
        const char c = s[i];
        if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            t.kind = Token::Name;
            while (i < s.size() && IsNameChar(s[i])) t.text += s[i++];
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            t.kind = Token::Number;
            for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i) {
                if (t.value > (INT_MAX - (s[i] - '0')) / 10) fail("number too large");
                t.value = t.value * 10 + (s[i] - '0');
            }
            if (i < s.size() && IsNameChar(s[i])) fail("only decimal numbers are read, not '" + std::string(s.substr(i - 1, 2)) + "...'");
        } else if (c == '"') {
            t.kind = Token::String;
            for (++i;;) {
                if (i >= s.size()) fail("string without its closing quote");
                if (s[i] == '"') break;
                if (s[i] == '\\') {
                    if (s.compare(i, 2, "\\t") != 0) fail("the only escape read in a string is \\t");
                    t.text += '\t';
                    i += 2;
                    continue;
                }
                const size_t n = Utf8SequenceLength(s, i);
                if (n == 0) fail("string is not valid UTF-8");
                t.text.append(s.substr(i, n));
                i += n;
            }
            ++i;
        } else if (c == ',' || c == '|' || c == '-') {
            t.kind = Token::Punct;
            t.text = c;
            ++i;
        } else {
            char what[48];
            std::snprintf(what, sizeof what,
                          std::isprint(static_cast<unsigned char>(c)) ? "unexpected character '%c'" : "unexpected byte 0x%02X",
                          static_cast<unsigned char>(c));
            fail(what);
        }
        out.push_back(std::move(t));
    }
}

}  // namespace rc::reader
