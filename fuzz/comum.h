// comum.h - what every fuzz target that runs the program shares, with or without the harness.
#ifndef ORBIX_FUZZ_COMUM_H
#define ORBIX_FUZZ_COMUM_H

#include "state/estado.h"
#include "trabalho/trabalho.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

// A finding: the run stops.
[[noreturn]] inline void achado(const char *o_que) {
    fprintf(stderr, "%s\n", o_que);
    abort();
}

// A scratch folder of the run's own, for what the inputs save and open. In memory where the
// system has it: every save reaches the disk before it returns.
inline const char *pastadarodada() {
    static const std::string pasta = [] {
        char memoria[] = "/dev/shm/orbix-fuzz-XXXXXX", disco[] = "/tmp/orbix-fuzz-XXXXXX";
        return std::string(mkdtemp(memoria) ? memoria : mkdtemp(disco) ? disco : "/tmp");
    }();
    return pasta.c_str();
}

// Whether a work holds only what the program can hold: a system, unit and scale of its own,
// angles within their turns, finite values, and nothing in the columns beyond the count.
inline bool nodominio(const Trabalho &t) {
    bool bom = (t.sistema == CARTESIANO || t.sistema == CILINDRICO || t.sistema == ESFERICO) &&
               (t.unidade == GRAUS || t.unidade == RADIANOS) && t.escala >= ESCALA_NENHUMA && t.escala <= ESCALA_MEDIA && t.quantos >= 0 &&
               t.quantos <= MAXVETORES && t.angulox >= GIRO_MIN && t.angulox <= ANGULOX_MAX && t.anguloz >= GIRO_MIN &&
               t.anguloz <= ANGULOZ_MAX;
    for (int e = 0; e < 3; ++e) {
        bom = bom && std::isfinite(t.regiao[e][0]) && std::isfinite(t.regiao[e][1]);
        for (int i = 0; i < MAXVETORES; ++i) bom = bom && std::isfinite(t.vetores[e][i]) && (i < t.quantos || !t.vetores[e][i]);
    }
    return bom;
}

#endif
