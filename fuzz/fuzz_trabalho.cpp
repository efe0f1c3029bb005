// Any bytes as a work file. Either they are a work, which then saves and reads back to itself bit
// for bit, or they are refused with one message and every variable of the program as it was.
#include <windows.h>

#include "apoio/foto.h"
#include "comum.h"
#include "testing/wintest.h"

#include <cstring>
#include <stdint.h>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    wintest::Init(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const std::string caminho = std::string(pastadarodada()) + "/entrada.orbix";
    FILE *f = fopen(caminho.c_str(), "wb");
    if (!f || fwrite(data, 1, size, f) != size || fclose(f) != 0) achado("cannot write the input");

    reiniciaestado();
    Scoord = ESFERICO, Medgrau = RADIANOS, numpt = 2, num = MODO_ANGULOS, mostnum = ESCALA_MEDIA;
    for (int i = 0; i < MAXVETORES; ++i) vetores[0][i] = float(i) + 0.5f;
    reg[2][1] = 7, vet[1] = 3;
    strcpy(fntrabalho, "/anterior.orbix");
    const std::string antes = apoio::foto();

    wintest::MessageBoxLog log;
    const bool aberto = abretrabalho(nullptr, caminho.c_str());
    Trabalho lido, relido;
    std::string motivo, texto, outra;
    if (aberto != letrabalho(std::string(reinterpret_cast<const char *>(data), size), lido, motivo)) achado("opening and reading disagree");
    if (!aberto) {
        if (log.calls().size() != 1) achado("a refused work gave no message, or more than one");
        if (log.calls()[0].text.find(motivo) == std::string::npos || motivo.empty()) achado("the message hides why");
        if (apoio::foto() != antes) achado("a refused work changed the state");
        return 0;
    }
    const Trabalho t = trabalhoatual();
    if (!log.calls().empty()) achado("a work was opened with a message");
    if (memcmp(&t, &lido, sizeof t) != 0) achado("the state is not the work read");
    if (!nodominio(t)) achado("a work out of its domain was opened");
    if (num != MODO_VETORES) achado("an opened work is not shown in the vector view");
    if (!textotrabalho(t, texto)) achado("an opened work cannot be saved");
    if (!letrabalho(texto, relido, motivo)) achado(("a saved work does not read back: " + motivo).c_str());
    if (memcmp(&t, &relido, sizeof t) != 0) achado("a saved work reads back as another");
    if (!textotrabalho(relido, outra) || outra != texto) achado("saving again gives other bytes");
    return 0;
}
