// A work's pages in PDF: the time and size of the heaviest ones (the full spherical shell, fifteen
// vectors, the 120 lines of their cross products over several pages), through the same calls as
// orbix --pdf; and gnuplot's pdfcairo terminal plotting the shell's very dots, for comparison.
// Run: build/bench/orbix_bench --benchmark_filter=Pdf
#include <benchmark/benchmark.h>

#include "apoio/janela.h"
#include "bench.h"
#include "print/impressao.h"

#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include <fstream>

namespace {

enum Caso { CASCA, QUINZE, PRODUTOS };
const int MODOS[] = {MODO_REGIAO, MODO_VETORES, MODO_VETORIAIS};
const char PDF[] = "/tmp/orbix-bench.pdf", PONTOS[] = "/tmp/orbix-bench-pontos.txt", GNUPLOT[] = "/tmp/orbix-bench-gnuplot.pdf";

void prepara(int caso) {
    Medgrau = GRAUS;
    if (caso == CASCA) {
        Scoord = ESFERICO;
        const float casca[3][2] = {{0, 10}, {0, 180}, {0, 360}};
        memcpy(reg, casca, sizeof reg);
        return;
    }
    Scoord = CARTESIANO;
    quinzevetores();
}

double bytes(const char *arquivo) {
    struct stat st;
    return stat(arquivo, &st) == 0 ? double(st.st_size) : 0;
}

void BM_Pdf(benchmark::State &state) {
    HWND h = apoio::abrejanela();
    prepara(int(state.range(0)));
    for (auto _ : state) {
        HDC dc = CreateDCA("WINSPOOL", IMPRESSORA_PDF, NULL, NULL);
        DOCINFOA doc = {sizeof doc, "bench", PDF, NULL, 0};
        if (StartDocA(dc, &doc) <= 0 || !imprimevista(dc, MODOS[state.range(0)]) || EndDoc(dc) <= 0) state.SkipWithError("not printed");
        DeleteDC(dc);
    }
    state.counters["bytes"] = bytes(PDF);
    apoio::fechajanela(h);
}
BENCHMARK(BM_Pdf)->Arg(CASCA)->Arg(QUINZE)->Arg(PRODUTOS)->Unit(benchmark::kMillisecond);

// The dots of the shell's paint, as the recorder hears them (each a step from its point), plotted
// by gnuplot on a page of the same size.
void BM_PdfGnuplotCasca(benchmark::State &state) {
    if (system("command -v gnuplot >/dev/null 2>&1") != 0) {
        state.SkipWithError("gnuplot is not installed (gnuplot-nox)");
        return;
    }
    HWND h = apoio::abrejanela();
    prepara(CASCA);
    num = MODO_REGIAO;
    int pontos = 0;
    {
        wintest::GdiRecorder rec;
        InvalidateRect(h, NULL, TRUE);
        SendMessageA(h, WM_PAINT, 0, 0);
        std::ofstream out(PONTOS);
        const auto &cs = rec.calls();
        for (size_t i = 1; i < cs.size(); ++i)
            if (cs[i].op == wintest::GdiCall::LineTo && cs[i - 1].op == wintest::GdiCall::MoveTo && std::abs(cs[i].x - cs[i - 1].x) <= 1)
                out << cs[i - 1].x << ' ' << -cs[i - 1].y << '\n', ++pontos;
    }
    const std::string comando = std::string("gnuplot -e \"set terminal pdfcairo size 21cm,29.7cm; set output '") + GNUPLOT +
                                "'; unset border; unset tics; plot '" + PONTOS + "' with dots notitle\"";
    for (auto _ : state)
        if (system(comando.c_str()) != 0) state.SkipWithError("gnuplot failed");
    state.counters["bytes"] = bytes(GNUPLOT);
    state.counters["dots"] = pontos;
    apoio::fechajanela(h);
}
BENCHMARK(BM_PdfGnuplotCasca)->Unit(benchmark::kMillisecond);

}  // namespace
