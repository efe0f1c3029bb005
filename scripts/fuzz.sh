#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer) and runs
# each one from its committed seed corpus for SECONDS seconds (default 30). Any finding fails.
# Each prints its executions, executions per second and the coverage reached (edges, features).
# A longer run:   scripts/fuzz.sh 3600
# One target:     scripts/fuzz.sh 600 relatorio
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
only=${2:-}
scripts/setup.sh
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBIX_FUZZ=ON \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
status=0
for target in eventos dialogos relatorio trabalho campo; do
  [ -n "$only" ] && [ "$only" != "$target" ] && continue
  work=$(mktemp -d)
  cp fuzz/corpus/"$target"/* "$work"/ 2>/dev/null || true
  log=build-fuzz/fuzz_"$target".log
  echo "== fuzz_$target for ${seconds}s"
  if build-fuzz/fuzz/fuzz_"$target" "$work" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=4096 \
       -print_final_stats=1 -artifact_prefix=build-fuzz/"$target"- >"$log" 2>&1; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
    speed=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
    cov=$(grep -o 'DONE *cov: [0-9]* ft: [0-9]*' "$log" | tail -n 1 | sed 's/DONE *//' || echo "cov: ?")
    echo "fuzz_$target: $runs executions, $speed per second, $cov, no finding"
  else
    echo "fuzz_$target: FINDING (see $log and build-fuzz/$target-*)"
    tail -n 40 "$log"
    status=1
  fi
  rm -rf "$work"
done
exit $status
