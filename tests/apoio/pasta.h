// pasta.h - a scratch folder of a test's own, removed with everything in it when the test ends.
#ifndef ORBIX_TESTS_APOIO_PASTA_H
#define ORBIX_TESTS_APOIO_PASTA_H

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace apoio {

class Pasta {
public:
    Pasta() {
        char modelo[] = "/tmp/orbix-teste-XXXXXX";
        caminho_ = mkdtemp(modelo) ? modelo : "";
    }
    ~Pasta() {
        std::error_code ec;
        std::filesystem::permissions(caminho_, std::filesystem::perms::all, ec);
        std::filesystem::remove_all(caminho_, ec);
    }
    Pasta(const Pasta &) = delete;
    Pasta &operator=(const Pasta &) = delete;
    const std::filesystem::path &caminho() const { return caminho_; }
    std::filesystem::path operator/(const std::string &nome) const { return caminho_ / nome; }
    // The names in the folder now.
    std::set<std::string> nomes() const {
        std::set<std::string> out;
        for (auto &e : std::filesystem::directory_iterator(caminho_)) out.insert(e.path().filename().string());
        return out;
    }

private:
    std::filesystem::path caminho_;
};

inline std::string le(const std::filesystem::path &p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

inline void escreve(const std::filesystem::path &p, const std::string &s) { std::ofstream(p, std::ios::binary) << s; }

}  // namespace apoio

#endif
