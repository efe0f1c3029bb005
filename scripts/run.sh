#!/usr/bin/env bash
# Builds Orbix and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target orbix -j"$(nproc)"
exec build/src/orbix
