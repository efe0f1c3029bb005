// preprocessor.cpp - the lines of a script and of the files it includes: directives are obeyed,
// the other lines of the branches that count are cut into tokens.
#include "reader.h"

#include <algorithm>
#include <cctype>

namespace rc::reader {
namespace {

constexpr int kMaxIncludeDepth = 8;

class Preprocessor {
public:
    Preprocessor(const IncludeLoader &loader, Preprocessed &out) : loader_(loader), out_(out) {}

    void Run(const std::string *source, std::string_view text, int depth) {
        std::vector<Conditional> conds;
        bool inComment = false;
        int lineNo = 0;
        for (size_t pos = 0; pos <= text.size();) {
            size_t end = text.find('\n', pos);
            if (end == std::string_view::npos) end = text.size();
            std::string_view physical = text.substr(pos, end - pos);
            if (!physical.empty() && physical.back() == '\r') physical.remove_suffix(1);  // CRLF checkouts
            pos = end + 1;
            ++lineNo;
            const std::string line = WithoutComments(physical, &inComment);
            const size_t first = line.find_first_not_of(" \t");
            const bool active = conds.empty() || conds.back().active;
            if (first != std::string::npos && line[first] == '#') {
                Directive(std::string_view(line).substr(first + 1), source, lineNo, depth, conds, active);
            } else if (active) {
                for (Token &t : Lex(line, source, lineNo)) out_.tokens.push_back(std::move(t));
            }
        }
        if (!conds.empty()) Fail(*source, conds.back().line, "#ifdef or #ifndef without its #endif");
        if (inComment) Fail(*source, lineNo, "comment without its end");
    }

private:
    struct Conditional {
        int line;
        bool active;
    };

    // Directives this reader does not know are refused even in a branch that does not count:
    // skipping them could pair an #endif with the wrong #if.
    void Directive(std::string_view rest, const std::string *source, int line, int depth, std::vector<Conditional> &conds, bool active) {
        size_t i = rest.find_first_not_of(" \t");
        if (i == std::string_view::npos) i = rest.size();
        size_t wordEnd = i;
        while (wordEnd < rest.size() && std::isalpha(static_cast<unsigned char>(rest[wordEnd]))) ++wordEnd;
        const std::string word(rest.substr(i, wordEnd - i));
        std::string args(rest.substr(wordEnd));
        args.erase(0, args.find_first_not_of(" \t"));
        args.erase(args.find_last_not_of(" \t") + 1);
        const auto fail = [&](const std::string &what) { Fail(*source, line, what); };
        const auto nameOnly = [&] {
            const std::vector<Token> toks = Lex(args, source, line);
            if (toks.size() != 1 || toks[0].kind != Token::Name) fail("#" + word + " takes one name");
            return toks[0].text;
        };

        if (word == "ifdef" || word == "ifndef") {
            conds.push_back({line, active && (out_.defines.count(nameOnly()) != 0) == (word == "ifdef")});
        } else if (word == "endif") {
            if (conds.empty()) fail("#endif without its #ifdef or #ifndef");
            if (!args.empty()) fail("#endif takes nothing after it");
            conds.pop_back();
        } else if (word != "define" && word != "include" && word != "pragma") {
            fail(word.empty() ? "a directive was expected after '#'"
                              : "#" + word +
                                    " is not read here: only #define, #include \"file\", #ifdef, #ifndef, "
                                    "#endif and #pragma code_page(65001)");
        } else if (!active) {
            return;
        } else if (word == "define") {
            Define(Lex(args, source, line), fail);
        } else if (word == "include") {
            if (args.size() < 3 || args.front() != '"' || args.back() != '"' || args.find('"', 1) != args.size() - 1)
                fail("#include reads only \"file\": the SDK's <headers> are not read, the names this reader knows are built in");
            const std::string file = args.substr(1, args.size() - 2);
            const std::optional<std::string> text = loader_ ? loader_(file) : std::nullopt;
            if (!text) fail("cannot include \"" + file + "\"");
            if (depth >= kMaxIncludeDepth) fail("includes nested too deeply");
            out_.sources.push_back(std::make_unique<std::string>(file));
            Run(out_.sources.back().get(), *text, depth + 1);
        } else {
            std::string compact;
            for (char c : args)
                if (c != ' ' && c != '\t') compact += c;
            if (compact != "code_page(65001)") fail("the only #pragma read is code_page(65001): the script is UTF-8");
        }
    }

    template <typename Fail>
    void Define(const std::vector<Token> &toks, const Fail &fail) {
        if (toks.empty() || toks[0].kind != Token::Name) fail("#define needs a name");
        const bool negative = toks.size() == 3 && toks[1].Is('-');
        if (toks.size() == 1) {
            out_.defines[toks[0].text] = std::nullopt;
        } else if (toks.back().kind == Token::Number && toks.size() == (negative ? 3u : 2u)) {
            out_.defines[toks[0].text] = negative ? -toks.back().value : toks.back().value;
        } else {
            fail("#define " + toks[0].text + " takes one decimal number or nothing");
        }
    }

    const IncludeLoader &loader_;
    Preprocessed &out_;
};

}  // namespace

Preprocessed Preprocess(std::string_view name, std::string_view text, const IncludeLoader &loader) {
    Preprocessed out;
    out.sources.push_back(std::make_unique<std::string>(name));
    Preprocessor(loader, out).Run(out.sources.front().get(), text, 0);
    Token end;
    end.source = out.sources.front().get();
    end.line = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    out.tokens.push_back(end);
    return out;
}

}  // namespace rc::reader
