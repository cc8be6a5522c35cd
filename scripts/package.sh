#!/usr/bin/env bash
# Builds the Debian package pesko_1.0_amd64.deb into this folder from a build
# for /usr (build-deb/), lists what it holds and checks it with lintian.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --deb
cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
    -DPESKO_TESTS=OFF -DPESKO_BENCH=OFF >/dev/null
cmake --build build-deb -j"$(nproc)"
(cd build-deb && cpack >/dev/null)
cp build-deb/pesko_1.0_amd64.deb .
dpkg-deb -c pesko_1.0_amd64.deb
# lintian's exit code counts errors only with --fail-on error.
lintian --fail-on error pesko_1.0_amd64.deb
echo "pesko_1.0_amd64.deb: lintian found no error"
