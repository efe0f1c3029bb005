// Any bytes as a work file. Either they are a work, which then saves and reads back to itself bit
// for bit, or they are refused with one message and every variable of the program as it was.
#include <windows.h>

#include "state/estado.h"
#include "testing/wintest.h"
#include "trabalho/trabalho.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdint.h>
#include <string>
#include <unistd.h>

namespace {

void achado(const char *o_que) {
    fprintf(stderr, "%s\n", o_que);
    abort();
}

// Everything an opened work may change, and some of what it must not.
std::string foto() {
    const Trabalho t = trabalhoatual();
    return std::string(reinterpret_cast<const char *>(&t), sizeof t) + std::to_string(num) + fntrabalho +
           std::string(reinterpret_cast<const char *>(vetores), sizeof vetores) +
           std::string(reinterpret_cast<const char *>(vet), sizeof vet);
}

bool valido(const Trabalho &t) {
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

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    wintest::Init(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // In memory where the system has it: a file written to disk for every input is slow.
    static const std::string caminho = [] {
        char modelo[] = "/dev/shm/orbix-fuzz-trabalho-XXXXXX", outro[] = "/tmp/orbix-fuzz-trabalho-XXXXXX";
        const char *pasta = mkdtemp(modelo);
        return std::string(pasta ? pasta : mkdtemp(outro)) + "/entrada.orbix";
    }();
    FILE *f = fopen(caminho.c_str(), "wb");
    if (!f || fwrite(data, 1, size, f) != size || fclose(f) != 0) achado("cannot write the input");

    reiniciaestado();
    Scoord = ESFERICO, Medgrau = RADIANOS, numpt = 2, num = MODO_ANGULOS, mostnum = ESCALA_MEDIA;
    for (int i = 0; i < MAXVETORES; ++i) vetores[0][i] = float(i) + 0.5f;
    reg[2][1] = 7, vet[1] = 3;
    strcpy(fntrabalho, "/anterior.orbix");
    const std::string antes = foto();

    wintest::MessageBoxLog log;
    const bool aberto = abretrabalho(nullptr, caminho.c_str());
    Trabalho lido, relido;
    std::string motivo, texto, outra;
    if (aberto != letrabalho(std::string(reinterpret_cast<const char *>(data), size), lido, motivo)) achado("opening and reading disagree");
    if (!aberto) {
        if (log.calls().size() != 1) achado("a refused work gave no message, or more than one");
        if (log.calls()[0].text.find(motivo) == std::string::npos || motivo.empty()) achado("the message hides why");
        if (foto() != antes) achado("a refused work changed the state");
        return 0;
    }
    const Trabalho t = trabalhoatual();
    if (!log.calls().empty()) achado("a work was opened with a message");
    if (memcmp(&t, &lido, sizeof t) != 0) achado("the state is not the work read");
    if (!valido(t)) achado("a work out of its domain was opened");
    if (num != MODO_VETORES) achado("an opened work is not shown in the vector view");
    if (!textotrabalho(t, texto)) achado("an opened work cannot be saved");
    if (!letrabalho(texto, relido, motivo)) achado(("a saved work does not read back: " + motivo).c_str());
    if (memcmp(&t, &relido, sizeof t) != 0) achado("a saved work reads back as another");
    if (!textotrabalho(relido, outra) || outra != texto) achado("saving again gives other bytes");
    return 0;
}
