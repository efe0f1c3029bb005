// Paint and start-up times of the main window, and its resident memory after start-up.
// Run: build/bench/orbix_bench  (offscreen; see docs/performance.md)
#include <benchmark/benchmark.h>

#include "apoio/janela.h"

#include <fstream>
#include <string>

namespace {

double residentMegabytes() {
    std::ifstream f("/proc/self/status");
    std::string line;
    while (std::getline(f, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

// Registered first (see CMakeLists.txt), and measured once, so it sees the process as the
// program has it right after its start-up: a repetition would measure a process in which windows
// have already come and gone.
void BM_ResidentMemoryAfterStartUp(benchmark::State &state) {
    for (auto _ : state) {
        HWND h = apoio::abrejanela();
        state.counters["resident_MB"] = residentMegabytes();
        apoio::fechajanela(h);
    }
}
BENCHMARK(BM_ResidentMemoryAfterStartUp)->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond);

void BM_StartUpToFirstVectorPaint(benchmark::State &state) {
    for (auto _ : state) {
        HWND h = apoio::abrejanela();
        state.PauseTiming();
        apoio::fechajanela(h);
        state.ResumeTiming();
    }
    state.counters["resident_MB"] = residentMegabytes();
}
BENCHMARK(BM_StartUpToFirstVectorPaint)->Unit(benchmark::kMillisecond);

void BM_PaintMode(benchmark::State &state) {
    HWND h = apoio::abrejanela();
    num = int(state.range(0));
    mostnum = ESCALA_MEDIA;
    for (auto _ : state) {
        SendMessageA(h, WM_PAINT, 0, 0);
    }
    apoio::fechajanela(h);
}
BENCHMARK(BM_PaintMode)->Arg(MODO_VETORES)->Arg(MODO_REGIAO)->Unit(benchmark::kMicrosecond);

}  // namespace
