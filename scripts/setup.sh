#!/usr/bin/env bash
# Installs the Debian packages that are missing, then builds the game and
# generates its data into build/. Safe to run again: it only does what is needed.
#   scripts/setup.sh           what building and playing need
#   scripts/setup.sh --test    the test tools too, and builds the tests
#   scripts/setup.sh --deb     the packaging tools too (no build)
#   scripts/setup.sh --fuzz    clang for the fuzzers too (no build)
#   The test command also turns compiler warnings into errors.
set -euo pipefail
cd "$(dirname "$0")/.."

lists=(scripts/packages.txt)
tests=OFF
build=1
case "${1:-}" in
--test) lists+=(scripts/packages-test.txt); tests=ON ;;
--deb) lists+=(scripts/packages-deb.txt); build=0 ;;
--fuzz) lists+=(scripts/packages-fuzz.txt); build=0 ;;
esac

missing=()
while read -r pkg; do
    [[ -z "$pkg" || "$pkg" == \#* ]] && continue
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done < <(cat "${lists[@]}")

if ((${#missing[@]})); then
    sudo=()
    if ((EUID != 0)); then
        command -v sudo >/dev/null || { echo "Not root and no sudo: install these as root: ${missing[*]}" >&2; exit 1; }
        echo "Not running as root: installing the missing packages with sudo."
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi

((build)) || exit 0
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPESKO_TESTS=$tests -DPESKO_BENCH=$tests -DPESKO_WERROR=$tests >/dev/null
cmake --build build -j"$(nproc)"
