#!/usr/bin/env bash
# Installs the Debian packages that are missing, then builds the game and
# generates its data into build/. Safe to run again: it only does what is needed.
# Arguments go to CMake (scripts/test.sh turns warnings into errors with them).
set -euo pipefail
cd "$(dirname "$0")/.."

missing=()
while read -r pkg; do
    [[ -z "$pkg" || "$pkg" == \#* ]] && continue
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done < scripts/packages.txt

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPESKO_WERROR=OFF "$@" >/dev/null
cmake --build build -j"$(nproc)"
