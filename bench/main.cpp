// The benchmark program: the offscreen application, then every benchmark of this folder.
// Run: build/bench/orbix_bench  (see docs/performance.md)
#include <benchmark/benchmark.h>

#include "bench.h"

#include "state/estado.h"
#include "testing/wintest.h"

void quinzevetores() {
    numpt = MAXVETORES;
    for (int i = 0; i < MAXVETORES; ++i) {
        vetores[0][i] = 1.5f * float(i) + 1;
        vetores[1][i] = 24.0f * float(i) - 170;
        vetores[2][i] = 300.0f / float(i + 1) - 40;
    }
}

int main(int argc, char **argv) {
    wintest::Init(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
