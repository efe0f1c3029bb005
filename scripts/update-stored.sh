#!/usr/bin/env bash
# Rewrites the stored expectations (traces, pictures, listings, reports under tests/dados and
# platform/tests/dados) from what the program does now, after a change that was meant to change
# them; git diff then shows what changed. Runs every unit test with ORBIX_UPDATE_STORED=1, at
# each device pixel ratio the tests use.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
ORBIX_UPDATE_STORED=1 ctest --test-dir build -j"$(nproc)" -E '^(e2e_|windows_)' --output-on-failure
git status --short -- tests/dados platform/tests/dados
