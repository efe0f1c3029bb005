#!/usr/bin/env bash
# Checks the format, builds everything and runs every test: the suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, the Windows cross build against the real Win32 headers, a bounded
# run of each fuzz target, then the normal suite (with the real-window checks under Xvfb, and the
# Windows build and its installer under Wine), whose CTest summary ends the output.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)

echo "== Format (clang-format, the project's .clang-format)"
git ls-files -- '*.c' '*.cpp' '*.h' '*.hpp' | xargs clang-format --dry-run --Werror

echo "== Sanitized build (AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORBIX_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs"
ctest --test-dir build-asan -j"$jobs" --output-on-failure -E '^e2e_'

echo "== Windows build (mingw-w64, real Win32 headers)"
cmake -S . -B build-mingw -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-mingw -j"$jobs"
(cd build-mingw && cpack >/dev/null)
ls -l build-mingw/src/orbix.exe build-mingw/orbix-*-win64.exe build-mingw/orbix-*-win64.zip

echo "== Fuzzing (libFuzzer, about 30 s a target; any finding fails)"
scripts/fuzz.sh 30

echo "== Build and tests"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DORBIX_WINDOWS_EXE="$PWD/build-mingw/src/orbix.exe" \
      -DORBIX_WINDOWS_INSTALLER="$(ls "$PWD"/build-mingw/orbix-*-win64.exe)" >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build -j"$jobs" --output-on-failure
