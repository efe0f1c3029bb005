// Paint time of the heaviest text listing: the cross products of fifteen vectors (120 lines),
// through the real window at the reference size.
// Run: build/bench/orbix_bench --benchmark_filter=Listagem
#include <benchmark/benchmark.h>

#include "apoio/janela.h"

namespace {

void BM_ListagemVetoriais15(benchmark::State &state) {
    HWND h = apoio::abrejanela();
    Scoord = ESFERICO;
    numpt = MAXVETORES;
    for (int i = 0; i < MAXVETORES; ++i) {
        vetores[0][i] = 1.5f * float(i) - 7;
        vetores[1][i] = -2.25f * float(i);
        vetores[2][i] = 100.0f / float(i + 1);
    }
    num = int(state.range(0));
    for (auto _ : state) {
        InvalidateRect(h, NULL, TRUE);
        SendMessageA(h, WM_PAINT, 0, 0);
    }
    apoio::fechajanela(h);
}
BENCHMARK(BM_ListagemVetoriais15)
    ->Arg(MODO_VETORIAIS)
    ->Arg(MODO_ANGULOS)
    ->Arg(MODO_LISTAGEM)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
