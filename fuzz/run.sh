#!/bin/bash
# Builds every libFuzzer target fuzz/*_fuzz.cpp with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each one in turn for SECONDS on its corpus.
#   bash fuzz/run.sh SECONDS [target ...]      e.g. bash fuzz/run.sh 600 avi_fuzz
# A target names the game sources it links in a line "// Links: movie/*.cpp";
# without one it links every game source. The corpus kept in the repository,
# fuzz/corpus/<target without _fuzz>/, is read; new inputs go to build/fuzz/work/
# and, with KEEP=1, the ones that add coverage are merged back into the repository.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
out=${FUZZ_OUT:-$root/build/fuzz}
seconds=${1:?usage: fuzz/run.sh SECONDS [target ...]}
shift
targets=("$@")
if ((${#targets[@]} == 0)); then
    for src in "$here"/*_fuzz.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi
bash "$root/scripts/setup.sh" --fuzz
mkdir -p "$out"
pkgs="allegro libavformat libavcodec libswscale libavutil x11"
flags=$(pkg-config --cflags $pkgs)
libs=$(pkg-config --libs $pkgs)

build_target() {  # build_target NAME
    local src="$here/$1.cpp" links
    links=$(sed -n 's|^// Links: ||p' "$src" | head -n1)
    if [[ -z "$links" ]]; then
        links="platform/*.cpp files/*.cpp data/*.cpp settings/*.cpp input/*.cpp app/*.cpp screens/*.cpp game/*.cpp replay/*.cpp world/*.cpp movie/*.cpp"
    fi
    local sources=()
    for pattern in $links; do
        for f in "$root"/$pattern; do
            [[ "$f" == */platform/icon.cpp ]] || sources+=("$f")  # the executable's own icon
        done
    done
    clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
        -I"$root" $flags "$src" "${sources[@]}" $libs -lpthread -lm -o "$out/$1"
}

for target in "${targets[@]}"; do
    name=${target%_fuzz}
    corpus="$here/corpus/$name"
    work="$out/work/$name"
    mkdir -p "$corpus" "$work"
    build_target "$target"
    dict=()
    [[ -f "$here/$name.dict" ]] && dict=(-dict="$here/$name.dict")
    echo "== $target: $seconds s"
    # No leak checks: Allegro's own loaders leak a byte here and there (_load_property).
    (cd "$out" && "./$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -max_len=65536 -detect_leaks=0 \
        -print_final_stats=1 "${dict[@]}" -artifact_prefix="$out/$name-" "$work" "$corpus")
    if [[ "${KEEP:-0}" == 1 ]]; then
        (cd "$out" && "./$target" -merge=1 "${dict[@]}" "$corpus" "$work")
    fi
done
