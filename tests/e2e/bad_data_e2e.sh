# A game folder without usable data, or no display at all: a message and exit code 1
# within 20 s and 200 MB, never a crash or a hang. Every data file is checked at
# start, before the sound set-up or a game reads it (the unit tests name each damage).
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"
mkdir "$E2E_WORK/good"
cp "$E2E_WORK"/{data.dat,game_font.pcx,gamelogo.avi,patches.dat} "$E2E_WORK/good/"
# poke FILE AT HEX: writes the bytes HEX at offset AT of FILE in the game folder.
poke() { printf '%s' "$3" | xxd -r -p | dd of="$E2E_WORK/$1" bs=1 seek="$2" conv=notrunc status=none; }
wave=$(($(grep -boa GF1PATCH "$E2E_WORK/patches.dat" | head -n1 | cut -d: -f1) + 247))
pixel_pcx() { { printf '\x0A\x05\x01\x08'; head -c 61 /dev/zero; printf '\x01\x02'; head -c 61 /dev/zero
    printf '\0\0\x0C'; head -c 768 /dev/zero; } >"$E2E_WORK/game_font.pcx"; }
memory="Not enough system memory to load a sound data"

# WHAT | how the folder is spoilt | what stderr says | options
cases=(
    "--data-dir without data||/nonexistent|--data-dir /nonexistent"
    "PESKO_DATA_DIR without data|export PESKO_DATA_DIR=/nonexistent/env|/nonexistent/env|"
    "no data.dat|rm data.dat|$memory|"
    "truncated data.dat|head -c 100000 good/data.dat >data.dat|$memory|"
    "three random bytes|head -c 3 /dev/urandom >data.dat|$memory|"
    "a font sheet of one pixel|pixel_pcx|game_font.pcx: has no glyphs|"
    "a wave of no length|poke patches.dat $wave 00000000|wave 1 has a length of 0|"
    "no display|unset DISPLAY|Unable to set any graphic mode|"
)
# The folder search passes over a data.dat that is not a regular file.
for f in data.dat patches.dat game_font.pcx gamelogo.avi; do
    why="$f: is not a regular file"
    [[ $f == data.dat ]] && why="data.dat was not found"
    cases+=("$f as a FIFO|rm $f; mkfifo $f|$why|" "$f as a device|rm $f; ln -s /dev/zero $f|$why|")
done

for case in "${cases[@]}"; do
    IFS='|' read -r what spoil message options <<<"$case"
    cp "$E2E_WORK"/good/{data.dat,game_font.pcx,gamelogo.avi,patches.dat} "$E2E_WORK/"
    code=0
    # shellcheck disable=SC2086
    (cd "$E2E_WORK" && eval "$spoil" && HOME=$E2E_WORK exec timeout -s KILL 20 /usr/bin/time -o stats.txt \
        -f "%e %M" "$E2E_PESKO" $options >out.txt 2>err.txt) || code=$?
    [[ $code == 1 ]] || e2e_fail "$what: exit code $code, stderr: $(cat "$E2E_WORK/err.txt")"
    grep -qF -- "$message" "$E2E_WORK/err.txt" || e2e_fail "$what: stderr was: $(cat "$E2E_WORK/err.txt")"
    read -r seconds kb < <(tail -n1 "$E2E_WORK/stats.txt")
    ((kb < 200 * 1024)) || e2e_fail "$what: $kb KB"
    e2e_log "$what: exit 1 in $seconds s, $((kb / 1024)) MB: \"$message\""
    rm -f "$E2E_WORK"/{data.dat,game_font.pcx,gamelogo.avi,patches.dat}
done
echo "bad data e2e passed"
