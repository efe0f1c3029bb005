// Opening and saving a work of fifteen vectors through the program's own functions: the save is
// the whole durable save (the bytes reach the disk), the open reads, checks and applies the file.
// Run: build/bench/orbix_bench --benchmark_filter=Trabalho
#include <benchmark/benchmark.h>

#include "arquivo/arquivo.h"
#include "apoio/janela.h"
#include "trabalho/trabalho.h"

#include <stdlib.h>
#include <unistd.h>

#include <string>

namespace {

void quinzevetores() {
    Scoord = ESFERICO;
    Medgrau = GRAUS;
    numpt = MAXVETORES;
    for (int i = 0; i < MAXVETORES; ++i) {
        // Values with every digit a float can hold, the longest a work file writes.
        vetores[0][i] = 1.0f / float(i + 3) * 12345.678f;
        vetores[1][i] = -179.99f / float(i + 7);
        vetores[2][i] = 359.123f / float(i + 11);
    }
    for (int k = 0; k < 3; ++k) reg[k][0] = -1.0f / 3 * float(k + 1), reg[k][1] = 2.0f / 7 * float(k + 2);
}

std::string pasta() {
    char modelo[] = "/tmp/orbix-bench-XXXXXX";
    return mkdtemp(modelo);
}

void BM_SalvaTrabalho15(benchmark::State &state) {
    HWND h = apoio::abrejanela();
    quinzevetores();
    const std::string caminho = pasta() + "/aula.orbix";
    std::string texto;
    for (auto _ : state) {
        textotrabalho(trabalhoatual(), texto);
        if (!gravaseguro(caminho.c_str(), texto.data(), texto.size())) state.SkipWithError("save failed");
    }
    state.counters["bytes"] = double(texto.size());
    apoio::fechajanela(h);
}
BENCHMARK(BM_SalvaTrabalho15)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_AbreTrabalho15(benchmark::State &state) {
    HWND h = apoio::abrejanela();
    quinzevetores();
    const std::string caminho = pasta() + "/aula.orbix";
    std::string texto;
    textotrabalho(trabalhoatual(), texto);
    gravaseguro(caminho.c_str(), texto.data(), texto.size());
    for (auto _ : state)
        if (!abretrabalho(h, caminho.c_str())) state.SkipWithError("open failed");
    apoio::fechajanela(h);
}
BENCHMARK(BM_AbreTrabalho15)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
