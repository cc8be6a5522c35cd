#!/usr/bin/env bash
# Puts each fault of scripts/mutants.list into the game, one at a time, and
# asks whether the unit tests (golden replays included) notice it:
#   bash scripts/mutants.sh [LIST] [NAME-FILTER]
# Each fault is a text replacement in one file. The tree is restored after
# every fault and on any exit. It builds in build-mutants/ (tests only, the
# data read from build/), so build/ must hold generated data: run
# `bash scripts/setup.sh --test` once first, or name a folder that holds it in
# PESKO_DATA_DIR; MUTANTS_BUILD names another build folder. Ends with
# "caught N of M" and the faults that no test caught. The unit tests must pass
# on the tree as it is first (MUTANTS_EXCLUDE, a ctest regex, leaves out tests
# that cannot, such as checks of generated data older than the tree). Not part
# of the test command: it takes a while.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
list=${1:-scripts/mutants.list}
filter=${2:-}
build=${MUTANTS_BUILD:-build-mutants}
data=${PESKO_DATA_DIR:-$root/build}
[[ -f $data/data.dat ]] || { echo "$data has no game data: run bash scripts/setup.sh --test first" >&2; exit 2; }
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

# Optimised without debug information, the game's code in a shared library:
# a fault recompiles one file and relinks that library, no test.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DPESKO_CORE_LIBRARY_TYPE=SHARED -DCMAKE_LINK_DEPENDS_NO_SHARED=ON -DPESKO_BENCH=OFF -DPESKO_GENERATE_DATA=OFF \
    -DPESKO_DATA_DIR="$data" "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null

# The few tests that take most of the time run last, and only for a fault the
# quick ones let through.
slow='DamagedCopiesAreRefusedOrLoadSafely|movie_widths_valgrind|EveryFrameWidthDecodes'
excluded=${MUTANTS_EXCLUDE:-^$}
# unit_tests EXCLUDED [CTEST ARGUMENTS]
unit_tests() {
    local leave_out=$1
    shift
    (cd "$build" && timeout 600 ctest -j"$(nproc)" -L unit -E "$leave_out" "$@")
}
caught_by_tests() {
    ! unit_tests "$excluded|$slow" --stop-on-failure >/dev/null 2>&1 ||
        ! unit_tests "$excluded" -R "$slow" --stop-on-failure >/dev/null 2>&1
}
# A fault counts as caught when a test fails: every test must pass without one.
if ! unit_tests "$excluded" --output-on-failure >"$build/baseline.log" 2>&1; then
    grep -E '^\s*[0-9]+ - ' "$build/baseline.log" >&2 || tail -20 "$build/baseline.log" >&2
    echo "the unit tests fail on the tree as it is: no fault can be told apart" >&2
    exit 2
fi

backup=$(mktemp -d)
current=""
restore() {
    if [[ -n "$current" ]]; then
        cp "$backup/file" "$current"
        current=""
    fi
}
trap 'restore; rm -rf "$backup"' EXIT
trap 'exit 130' INT TERM HUP  # through the EXIT trap: the tree is put back

# apply FILE OLD NEW: replaces the one place OLD stands in FILE; fails when OLD
# is not there exactly once (the list has gone stale).
apply() {
    python3 - "$1" "$2" "$3" <<'EOF'
import sys
path, old, new = sys.argv[1], sys.argv[2], sys.argv[3]
text = open(path).read()
if text.count(old) != 1:
    sys.exit(f"found {text.count(old)} times")
open(path, "w").write(text.replace(old, new))
EOF
}

caught=0 total=0 stale=0
survivors=()
start=$(date +%s)
# The list: one fault a line, four fields split by " | ":
#   FILE | TEXT AS IT STANDS | TEXT WITH THE FAULT | WHAT A PLAYER WOULD SEE
# Blank lines and lines starting with # are skipped.
while IFS= read -r line; do
    [[ -z "${line// /}" || "$line" == \#* ]] && continue
    file=${line%% | *}; rest=${line#* | }
    old=${rest%% | *}; rest=${rest#* | }
    new=${rest%% | *}; what=${rest#* | }
    [[ -n "$filter" && "$what" != *"$filter"* && "$file" != *"$filter"* ]] && continue
    cp "$file" "$backup/file"
    current=$file
    if ! problem=$(apply "$file" "$old" "$new" 2>&1); then
        echo "STALE   $file: $what ($problem)"
        stale=$((stale + 1))
        restore
        continue
    fi
    if ! cmake --build "$build" -j"$(nproc)" >/dev/null 2>&1; then
        echo "BROKEN  $file: $what (does not build: mend the list)"
        stale=$((stale + 1))
        restore
        continue
    fi
    total=$((total + 1))
    if caught_by_tests; then
        echo "caught  $file: $what"
        caught=$((caught + 1))
    else
        echo "SURVIVED $file: $what"
        survivors+=("$file: $what")
    fi
    restore
done <"$list"

# Leave the build as the tree is.
cmake --build "$build" -j"$(nproc)" >/dev/null
echo
echo "caught $caught of $total in $(( $(date +%s) - start )) s"
((stale == 0)) || echo "$stale faults of the list no longer apply or build: mend them"
if ((${#survivors[@]})); then
    echo "not caught:"
    printf '  %s\n' "${survivors[@]}"
fi
