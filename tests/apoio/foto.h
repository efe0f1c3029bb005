// foto.h - everything opening a work may change, and some of what it must not, as one string:
// a refused work leaves it as it was.
#ifndef ORBIX_TESTS_APOIO_FOTO_H
#define ORBIX_TESTS_APOIO_FOTO_H

#include "state/estado.h"
#include "trabalho/trabalho.h"

#include <string>

namespace apoio {

inline std::string foto() {
    const Trabalho t = trabalhoatual();
    std::string f(reinterpret_cast<const char *>(&t), sizeof t);
    f.append(reinterpret_cast<const char *>(vet), sizeof vet).append(reinterpret_cast<const char *>(vetores), sizeof vetores);
    return f + std::to_string(num) + " " + std::to_string(inicia) + " " + std::to_string(SBPosy) + " " + ultimotrabalho();
}

}  // namespace apoio

#endif
