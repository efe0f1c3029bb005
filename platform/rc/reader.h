// reader.h - what the phases of the resource-script reader share: the tokens, the failure that
// stops the reading, and the phases, each in its file: lexer.cpp (characters to tokens),
// preprocessor.cpp (lines, includes, conditions and defines), parser.cpp (tokens to resources)
// and script.cpp (the names built in, the lookups, and Parse, which runs the phases).
#ifndef ORBIX_RC_READER_H
#define ORBIX_RC_READER_H

#include "rc.h"

#include <map>
#include <memory>

namespace rc::reader {

struct Failure {
    std::string message;
};

struct Token {
    enum Kind { Name, Number, String, Punct, End };
    Kind kind = End;
    std::string text;                     // Name: as written; String: the text, UTF-8; Punct: the character
    long value = 0;                       // Number
    const std::string *source = nullptr;  // the file it was read from
    int line = 0;

    bool Is(char punct) const { return kind == Punct && text.size() == 1 && text[0] == punct; }
    bool IsWord(std::string_view word) const;
};

bool EqualNoCase(std::string_view a, std::string_view b);
[[noreturn]] void Fail(const std::string &source, int line, const std::string &what);
[[noreturn]] void Fail(const Token &t, const std::string &what);
std::string Describe(const Token &t);

// The value of a name the script may use without the SDK's headers, which are not read.
std::optional<long> BuiltIn(std::string_view name);

// lexer.cpp. One line with its comments blanked out, *inComment carrying a block comment on to
// the next line; and the tokens of a line so blanked.
std::string WithoutComments(std::string_view line, bool *inComment);
std::vector<Token> Lex(std::string_view line, const std::string *source, int lineNo);

// preprocessor.cpp
struct Preprocessed {
    std::vector<Token> tokens;                           // the resource statements, then End
    std::map<std::string, std::optional<long>> defines;  // nullopt: defined as nothing
    std::vector<std::unique_ptr<std::string>> sources;   // the file names tokens point at
};
Preprocessed Preprocess(std::string_view name, std::string_view text, const IncludeLoader &loader);

// parser.cpp
Script ParseResources(const Preprocessed &in);

}  // namespace rc::reader

#endif
