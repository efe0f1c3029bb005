// Paint and start-up times of the main window, and its resident memory after start-up.
// Run: build/bench/orbix_bench  (offscreen; see docs/performance.md)
#include <benchmark/benchmark.h>

#include "state/estado.h"
#include "testing/wintest.h"
#include "window/janela.h"

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

HWND startWindow() {
    static ATOM atom = registraclasse(wintest::Instance());
    (void)atom;
    reiniciaestado();
    HWND h = criajanela(wintest::Instance(), SW_SHOWNORMAL);
    // Without the splash hold: the timer's work is done at once.
    wintest::FireTimer(h, ID_ABERTURA);
    wintest::Pump();
    return h;
}

void closeWindow(HWND h) {
    DestroyWindow(h);
    wintest::Pump();
    wintest::TakeQuit();
}

// Registered first, so it sees the process as the program has it right after start-up.
void BM_ResidentMemoryAfterStartUp(benchmark::State &state) {
    for (auto _ : state) {
        HWND h = startWindow();
        state.counters["resident_MB"] = residentMegabytes();
        closeWindow(h);
    }
}
BENCHMARK(BM_ResidentMemoryAfterStartUp)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_StartUpToFirstVectorPaint(benchmark::State &state) {
    for (auto _ : state) {
        HWND h = startWindow();
        state.PauseTiming();
        closeWindow(h);
        state.ResumeTiming();
    }
    state.counters["resident_MB"] = residentMegabytes();
}
BENCHMARK(BM_StartUpToFirstVectorPaint)->Unit(benchmark::kMillisecond);

void BM_PaintMode(benchmark::State &state) {
    HWND h = startWindow();
    num = int(state.range(0));
    mostnum = ESCALA_MEDIA;
    for (auto _ : state) {
        SendMessageA(h, WM_PAINT, 0, 0);
    }
    closeWindow(h);
}
BENCHMARK(BM_PaintMode)->Arg(MODO_VETORES)->Arg(MODO_REGIAO)->Unit(benchmark::kMicrosecond);

}  // namespace
