// Paint times of the heaviest drawings through the real window at the reference size: fifteen
// vectors in each coordinate system with their labels, a full spherical shell, a full cylinder.
// Run: build/bench/orbix_bench --benchmark_filter=Desenho
#include <benchmark/benchmark.h>

#include "apoio/janela.h"
#include "bench.h"

#include <string.h>

namespace {

void pinta(benchmark::State &state, HWND h) {
    for (auto _ : state) {
        InvalidateRect(h, NULL, TRUE);
        SendMessageA(h, WM_PAINT, 0, 0);
    }
}

void BM_DesenhoVetores15(benchmark::State &state) {
    HWND h = apoio::abrejanela();
    Scoord = int(state.range(0));
    Medgrau = GRAUS;
    quinzevetores();
    mostnum = ESCALA_VETORES;
    num = MODO_VETORES;
    pinta(state, h);
    apoio::fechajanela(h);
}
BENCHMARK(BM_DesenhoVetores15)
    ->Arg(CARTESIANO)
    ->Arg(CILINDRICO)
    ->Arg(ESFERICO)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The full figure of each curved system: every angle sweep runs over its whole range.
void BM_DesenhoRegiao(benchmark::State &state) {
    HWND h = apoio::abrejanela();
    Scoord = int(state.range(0));
    Medgrau = GRAUS;
    const float esfera[3][2] = {{0, 10}, {0, 180}, {0, 360}};
    const float cilindro[3][2] = {{0, 10}, {0, 360}, {-10, 10}};
    memcpy(reg, Scoord == ESFERICO ? esfera : cilindro, sizeof reg);
    num = MODO_REGIAO;
    pinta(state, h);
    apoio::fechajanela(h);
}
BENCHMARK(BM_DesenhoRegiao)->Arg(ESFERICO)->Arg(CILINDRICO)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
