// resources.cpp - registry of the embedded resource files and the module's script.
#include "resources.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace rc {
namespace {

// A function-local static: the registering initialisers of other files may run before any
// namespace-scope object of this one is built.
std::vector<EmbeddedFile> &Registry() {
    static std::vector<EmbeddedFile> files;
    return files;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

constexpr std::string_view kScriptName = "orbix.rc";

}  // namespace

void RegisterEmbeddedFiles(const EmbeddedFile *files, unsigned long count) {
    std::vector<EmbeddedFile> &registry = Registry();
    for (unsigned long i = 0; i < count; ++i) {
        std::erase_if(registry, [&](const EmbeddedFile &f) { return SameName(f.name, files[i].name); });
        registry.push_back(files[i]);
    }
}

std::optional<std::string_view> EmbeddedFileData(std::string_view name) {
    for (const EmbeddedFile &f : Registry())
        if (SameName(f.name, name)) return std::string_view(reinterpret_cast<const char *>(f.data), f.size);
    return std::nullopt;
}

const Script &ModuleScript() {
    static const Script script = [] {
        const std::optional<std::string_view> text = EmbeddedFileData(kScriptName);
        if (!text) {
            std::fprintf(stderr, "orbix: the resource script %s is not built into this program\n", kScriptName.data());
            std::abort();
        }
        std::string error;
        Script parsed = Parse(
            kScriptName, *text,
            [](const std::string &name) -> std::optional<std::string> {
                if (const auto data = EmbeddedFileData(name)) return std::string(*data);
                return std::nullopt;
            },
            &error);
        if (!error.empty()) {
            std::fprintf(stderr, "orbix: %s\n", error.c_str());
            std::abort();
        }
        return parsed;
    }();
    return script;
}

}  // namespace rc
