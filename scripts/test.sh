#!/usr/bin/env bash
# Sets everything up and runs every test: unit tests, then the end-to-end
# tests that drive the real game under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --test
cd build
ctest --output-on-failure -j"$(nproc)" -L unit
ctest --output-on-failure -L e2e
