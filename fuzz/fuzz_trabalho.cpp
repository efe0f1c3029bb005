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
struct Foto {
    Trabalho t;
    int num;
    float colunas[3][MAXVETORES];
    float vet[3];
    char ultimo[sizeof fntrabalho];
};
Foto foto() {
    Foto f;
    memset(&f, 0, sizeof f);
    f.t = trabalhoatual();
    f.num = num;
    memcpy(f.colunas, vetores, sizeof vetores);
    memcpy(f.vet, vet, sizeof vet);
    memcpy(f.ultimo, fntrabalho, sizeof fntrabalho);
    return f;
}

void valido(const Trabalho &t) {
    if (t.sistema != CARTESIANO && t.sistema != CILINDRICO && t.sistema != ESFERICO) achado("unknown system");
    if (t.unidade != GRAUS && t.unidade != RADIANOS) achado("unknown unit");
    if (t.escala < ESCALA_NENHUMA || t.escala > ESCALA_MEDIA) achado("unknown scale mode");
    if (t.quantos < 0 || t.quantos > MAXVETORES) achado("count out of range");
    for (int e = 0; e < 3; ++e)
        for (int i = 0; i < MAXVETORES; ++i)
            if (!std::isfinite(t.vetores[e][i]) || (i >= t.quantos && t.vetores[e][i] != 0)) achado("a bad entry");
    for (auto &par : t.regiao)
        if (!std::isfinite(par[0]) || !std::isfinite(par[1])) achado("a limit that is not finite");
    if (!(t.angulox >= GIRO_MIN && t.angulox <= ANGULOX_MAX && t.anguloz >= GIRO_MIN && t.anguloz <= ANGULOZ_MAX))
        achado("the view out of its limits");
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
    reg[2][1] = 7;
    vet[1] = 3;
    strcpy(fntrabalho, "/anterior.orbix");
    const Foto antes = foto();

    wintest::MessageBoxLog log;
    const bool aberto = abretrabalho(nullptr, caminho.c_str());
    Trabalho lido;
    std::string motivo;
    const bool lidodireto = letrabalho(std::string(reinterpret_cast<const char *>(data), size), lido, motivo);
    if (aberto != lidodireto) achado("opening and reading disagree");
    if (!aberto) {
        if (log.calls().size() != 1) achado("a refused work gave no message, or more than one");
        if (log.calls()[0].text.find(motivo) == std::string::npos || motivo.empty()) achado("the message hides why");
        const Foto depois = foto();
        if (memcmp(&antes, &depois, sizeof antes) != 0) achado("a refused work changed the state");
        return 0;
    }
    if (!log.calls().empty()) achado("a work was opened with a message");
    const Trabalho t = trabalhoatual();
    if (memcmp(&t, &lido, sizeof t) != 0) achado("the state is not the work read");
    valido(t);
    if (num != MODO_VETORES) achado("an opened work is not shown in the vector view");
    std::string texto, outra;
    if (!textotrabalho(t, texto)) achado("an opened work cannot be saved");
    Trabalho relido;
    if (!letrabalho(texto, relido, motivo)) achado(("a saved work does not read back: " + motivo).c_str());
    if (memcmp(&t, &relido, sizeof t) != 0) achado("a saved work reads back as another");
    if (!textotrabalho(relido, outra) || outra != texto) achado("saving again gives other bytes");
    return 0;
}
