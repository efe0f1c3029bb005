#!/usr/bin/env bash
# Builds the benchmarks with optimisation and runs them offscreen (medians of 5 repetitions).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench --target orbix_bench -j"$(nproc)"
exec build-bench/bench/orbix_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
