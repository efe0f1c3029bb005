// The benchmark program: the offscreen application, then every benchmark of this folder.
// Run: build/bench/orbix_bench  (see docs/performance.md)
#include <benchmark/benchmark.h>

#include "testing/wintest.h"

int main(int argc, char **argv) {
    wintest::Init(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
