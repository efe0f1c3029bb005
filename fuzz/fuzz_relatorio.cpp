// A save of whatever state the program can hold: any number of vectors, any finite entries and
// limits, any system and unit. The report must come out whole: one 100-byte record per line.
#include "harness.h"

#include "resource.h"
#include "state/estado.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdint.h>
#include <string>
#include <sys/stat.h>

namespace {
float finito(FuzzedDataProvider &dados) {
    uint32_t bits = dados.ConsumeIntegral<uint32_t>();
    float f;
    memcpy(&f, &bits, sizeof f);
    // The dialogs never store an infinity or NaN; what they can store is any finite float.
    return std::isfinite(f) ? f : (bits & 1 ? 3.4028235e38f : -1.5f);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzedDataProvider dados(data, size);
    HWND hjan = novaentrada();
    static const std::string pasta = pastadarodada();
    numpt = dados.ConsumeIntegralInRange(0, MAXVETORES);
    Scoord = CARTESIANO + dados.ConsumeIntegralInRange(0, 2);
    Medgrau = dados.ConsumeBool() ? GRAUS : RADIANOS;
    for (int k = 0; k < 3; ++k) {
        reg[k][0] = finito(dados), reg[k][1] = finito(dados);
        for (float &v : vetores[k]) v = finito(dados);
    }
    std::string caminho = pasta + "/salvo";
    remove(caminho.c_str());
    {
        Respostas respostas(dados, pasta.c_str());
        SendMessageA(hjan, WM_COMMAND, IDM_SALVAR, 0);
        processa();
    }
    struct stat st;
    const long n = numpt, registros = n == 0 ? 1 : 9 + 2 * n + 3 * n * (n + 1) / 2;
    if (stat(caminho.c_str(), &st) != 0 || st.st_size != registros * 100) {
        fprintf(stderr, "no report of %ld bytes for %ld vectors\n", registros * 100, n);
        abort();
    }
    verificaestado();
    terminaentrada();
    return 0;
}
