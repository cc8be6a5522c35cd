#!/usr/bin/env bash
# Sets everything up and runs every test: unit tests, then the end-to-end
# tests that drive the real game under Xvfb, then the unit tests once more
# built with AddressSanitizer and UndefinedBehaviorSanitizer (in build-asan,
# reading the data that build/ generated). The build treats every compiler
# warning as an error here; players' builds (scripts/play.sh) do not.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --test
cd build
ctest --output-on-failure -j"$(nproc)" -L unit
# Each end-to-end test has its own X server and waits for what the screen shows, so they run side by side.
ctest --output-on-failure -j"$(nproc)" -L e2e

cd ..
# Its own build type: -O1 and line tables only, which build faster than -O2 -g.
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Sanitize -DCMAKE_CXX_FLAGS="-O1 -g1 $sanitize" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitize" -DPESKO_BENCH=OFF -DPESKO_GENERATE_DATA=OFF \
    -DPESKO_DATA_DIR="$PWD/build" >/dev/null
cmake --build build-asan -j"$(nproc)"
cd build-asan
ctest --output-on-failure -j"$(nproc)" -L unit
