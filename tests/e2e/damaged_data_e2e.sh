# Damaged objects inside a whole data.dat: each ends the game with exit code 1 and a
# line naming the object, never a signal or a hang, and without taking much memory.
# Each run's seconds and peak memory are logged (MAX_SECONDS=2 makes the time count too).
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"

# A plain (unpacked) copy in the game's order, so fields sit at fixed offsets.
cp "$E2E_WORK/data.dat" "$E2E_WORK/plain.dat"
(cd "$E2E_WORK" && dat -n0 -c0 plain.dat >/dev/null) || e2e_fail "dat cannot unpack data.dat"

# data_of NAME KIND: offset of the data of the object named NAME, whose kind is KIND.
data_of() {
    local name kind
    name=$(grep -boa "$1" "$E2E_WORK/plain.dat" | head -n1 | cut -d: -f1)
    kind=$(grep -boa "$2" "$E2E_WORK/plain.dat" | cut -d: -f1 | awk -v n="$name" '$1 > n' | head -n1)
    echo $((kind + 12))
}

# poke AT HEX: writes the bytes HEX at offset AT of data.dat.
poke() { printf '%s' "$2" | xxd -r -p | dd of="$E2E_WORK/data.dat" bs=1 seek="$1" conv=notrunc status=none; }

expect_refused() {  # expect_refused WHAT MESSAGE
    local code=0 stats
    (cd "$E2E_WORK" && HOME="$E2E_WORK" timeout -s KILL 20 /usr/bin/time -o stats.txt -f "%e %M" \
        "$E2E_PESKO" >out.txt 2>err.txt) || code=$?
    stats=$(tail -n1 "$E2E_WORK/stats.txt")
    [[ "$code" == 1 ]] || e2e_fail "$1: exit code $code ($(head -n1 "$E2E_WORK/stats.txt")), stderr: $(cat "$E2E_WORK/err.txt")"
    grep -qxF "Not enough system memory to load a sound data" "$E2E_WORK/err.txt" || e2e_fail "$1: $(cat "$E2E_WORK/err.txt")"
    grep -qxF "data.dat: $2" "$E2E_WORK/err.txt" || e2e_fail "$1: $(cat "$E2E_WORK/err.txt")"
    read -r seconds kb <<<"$stats"
    ((kb < 200 * 1024)) || e2e_fail "$1: $kb KB"
    if [[ -n "${MAX_SECONDS:-}" ]]; then
        awk -v s="$seconds" -v m="$MAX_SECONDS" 'BEGIN { exit !(s < m) }' || e2e_fail "$1: $seconds s"
    fi
    e2e_log "$1: exit 1 in $seconds s, $((kb / 1024)) MB: $2"
}

damage() {  # damage WHAT OFFSET HEX MESSAGE
    cp "$E2E_WORK/plain.dat" "$E2E_WORK/data.dat"
    poke "$2" "$3"
    expect_refused "$1" "$4"
}

title=$(data_of FNT_TITLE_PCX FONT)
damage "font range ends first" $((title + 9)) 0000001f "object #30 (font): range 1 ends before it starts"
damage "font of no ranges" $((title + 2)) 0000 "object #30 (font): 0 ranges"
damage "font range to 0x7fffffff" $((title + 9)) 7fffffff "object #30 (font): range 1 lies outside Unicode"
damage "glyph 65535 wide" $((title + 13)) ffff "object #30 (font): range 1: glyph U+0020 is 65535 x 92"
menu=$(data_of BMP_MENU_TGA "BMP ")
damage "bitmap of 7 bits" "$menu" 0007 "object #22 (bitmap): colour depth 7"
damage "bitmap of 64 bits" "$menu" 0040 "object #22 (bitmap): colour depth 64"
damage "bitmap 65535 x 65535" $((menu + 2)) ffffffff "object #22 (bitmap): size 65535 x 65535"
damage "huge object size" $((menu - 4)) 7fffffff "object #22 (bitmap): a size of 2147483647 bytes"
tune=$(data_of MID_MENU_MID MIDI)
damage "time division 0" "$tune" 0000 "object #12 (MIDI tune): time division 0"
damage "track past its end" $((tune + 2)) 00ffffff "object #12 (MIDI tune): track 1 is longer than the tune"
track2=$((tune + 6 + 0x$(xxd -s $((tune + 2)) -l 4 -p "$E2E_WORK/plain.dat")))
damage "a track of 0xFF bytes" $((track2 + 4)) "$(printf 'ff%.0s' $(seq 653))" "object #12 (MIDI tune): track 2 has a number longer than four bytes"
coin=$(data_of SND_COIN_WAV SAMP)
damage "sample of 7 bits" "$coin" 0007 "object #0 (sample): 7 bits a sample"
damage "sample longer than its bytes" $((coin + 4)) 00ffffff "object #0 (sample): a length of 16777215 but 19844 bytes"
echo "damaged data e2e passed"
