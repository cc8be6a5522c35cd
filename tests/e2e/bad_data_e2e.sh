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

# Every data file is checked at start, before the sound set-up or a game reads
# it: a FIFO or a device in its place, a font sheet with no glyph (a well-formed
# PCX of one pixel) and a patch set with a wave of no length. (The folder
# search passes over a data.dat that is not a regular file.)
for f in data.dat patches.dat game_font.pcx gamelogo.avi; do
    why="$f: is not a regular file"
    [[ $f == data.dat ]] && why="data.dat was not found"
    mv "$E2E_WORK/$f" "$E2E_WORK/$f.good"
    mkfifo "$E2E_WORK/$f"
    expect_failure "$f as a FIFO" "$why"
    rm "$E2E_WORK/$f"
    ln -s /dev/zero "$E2E_WORK/$f"
    expect_failure "$f as a device" "$why"
    rm "$E2E_WORK/$f"
    mv "$E2E_WORK/$f.good" "$E2E_WORK/$f"
done
cp "$E2E_WORK/game_font.pcx" "$E2E_WORK/font.good"
{ printf '\x0A\x05\x01\x08'; head -c 61 /dev/zero; printf '\x01\x02'; head -c 61 /dev/zero
  printf '\0\0\x0C'; head -c 768 /dev/zero; } > "$E2E_WORK/game_font.pcx"
expect_failure "a font sheet of one pixel" "game_font.pcx: has no glyphs"
mv "$E2E_WORK/font.good" "$E2E_WORK/game_font.pcx"
cp "$E2E_WORK/patches.dat" "$E2E_WORK/patches.good"
patch=$(grep -boa GF1PATCH "$E2E_WORK/patches.dat" | head -n1 | cut -d: -f1)
printf '\0\0\0\0' | dd of="$E2E_WORK/patches.dat" bs=1 seek=$((patch + 239 + 8)) conv=notrunc status=none
expect_failure "a wave of no length" "wave 1 has a length of 0"
mv "$E2E_WORK/patches.good" "$E2E_WORK/patches.dat"

cp "$E2E_WORK/keep.dat" "$E2E_WORK/data.dat"
code=0
(unset DISPLAY; cd "$E2E_WORK" && HOME="$E2E_WORK" exec timeout 20 "$E2E_PESKO" 2>err.txt) || code=$?
[[ "$code" == 1 ]] || e2e_fail "no display: exit code $code"
grep -qF "Unable to set any graphic mode" "$E2E_WORK/err.txt" || e2e_fail "no display: $(cat "$E2E_WORK/err.txt")"
e2e_log "no display: exit 1, \"Unable to set any graphic mode\""
echo "bad data e2e passed"
