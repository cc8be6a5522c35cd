# A game folder without usable data, or no display at all: a message and exit code 1, never a crash.
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"

expect_failure() {  # expect_failure WHAT MESSAGE [OPTION...]
    local what=$1 message=$2 code=0
    shift 2
    (cd "$E2E_WORK" && HOME="$E2E_WORK" timeout 20 "$E2E_PESKO" "$@" >"$E2E_WORK/out.txt" 2>"$E2E_WORK/err.txt") || code=$?
    [[ "$code" == 1 ]] || e2e_fail "$what: exit code $code, stderr: $(cat "$E2E_WORK/err.txt")"
    grep -qF "$message" "$E2E_WORK/err.txt" || e2e_fail "$what: stderr was: $(cat "$E2E_WORK/err.txt")"
    e2e_log "$what: exit 1, \"$message\""
}

# A data folder the player names is the only one tried, though the game's own folder has data.
expect_failure "--data-dir without data" "/nonexistent" --data-dir /nonexistent
grep -qF "Not enough system memory to load a sound data" "$E2E_WORK/err.txt" || e2e_fail "--data-dir: $(cat "$E2E_WORK/err.txt")"
PESKO_DATA_DIR=/nonexistent/env expect_failure "PESKO_DATA_DIR without data" "/nonexistent/env"

mv "$E2E_WORK/data.dat" "$E2E_WORK/good.dat"
expect_failure "no data.dat" "Not enough system memory to load a sound data"

head -c 100000 "$E2E_WORK/good.dat" > "$E2E_WORK/data.dat"
expect_failure "truncated data.dat" "Not enough system memory to load a sound data"

head -c 3 /dev/urandom > "$E2E_WORK/data.dat"
expect_failure "three random bytes" "Not enough system memory to load a sound data"

# A datafile of 35 samples: object #12 should be a tune.
sox -n -r 8000 -b 8 -c 1 "$E2E_WORK/tick.wav" trim 0 0.01
rm -f "$E2E_WORK/data.dat"
for i in $(seq 0 34); do cp "$E2E_WORK/tick.wav" "$E2E_WORK/s$(printf %02d "$i").wav"; done
(cd "$E2E_WORK" && dat -n0 -a -t SAMP data.dat s??.wav >/dev/null)
expect_failure "wrong kinds" "object #12 must be a MIDI tune"
mv "$E2E_WORK/good.dat" "$E2E_WORK/keep.dat"

cp "$E2E_WORK/keep.dat" "$E2E_WORK/data.dat"
code=0
(unset DISPLAY; cd "$E2E_WORK" && HOME="$E2E_WORK" exec timeout 20 "$E2E_PESKO" 2>err.txt) || code=$?
[[ "$code" == 1 ]] || e2e_fail "no display: exit code $code"
grep -qF "Unable to set any graphic mode" "$E2E_WORK/err.txt" || e2e_fail "no display: $(cat "$E2E_WORK/err.txt")"
e2e_log "no display: exit 1, \"Unable to set any graphic mode\""
echo "bad data e2e passed"
