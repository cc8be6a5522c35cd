# Every tap counts once: taps of 50 ms and of 150 ms on the menu each move the
# highlight exactly one row. Then a game: the typed name replaces the offered
# one and is the name that enters hiscore.dat when the game is over.
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"

# A table of low scores, so that any finished game enters it.
hiscore_row() { printf '%s' "$1" | head -c 16; head -c $((16 - ${#1})) /dev/zero; printf "\\x$(printf %02x "$2")\\0\\0\\0"; }
for score in 6 5 4 3 2 1; do hiscore_row "LOW$score" "$score"; done >"$E2E_WORK/hiscore.dat"

tap() {  # tap KEY SECONDS: down, held, up, and the next frame drawn
    xdotool keydown "$1"
    sleep "$2"
    xdotool keyup "$1"
    sleep 0.1
}

e2e_start
e2e_skip_intro
e2e_expect_menu_row 0 "opening the menu"
tap Down 0.2
e2e_expect_menu_row 1 "Down"

# Between Instructions and Hi-score, so that a tap read twice shows as well as a lost one.
for held in 0.05 0.15; do
    for i in $(seq 10); do
        tap Down "$held"
        e2e_expect_menu_row 2 "a $held s tap of Down (tap $i)"
        tap Up "$held"
        e2e_expect_menu_row 1 "a $held s tap of Up (tap $i)"
    done
    e2e_log "20 taps of $held s moved one row each"
done
tap Up 0.2
e2e_expect_menu_row 0 "Up"

# Play, and a name typed over the offered ANONYM.
e2e_press Return
sleep 1
e2e_type PESKO
e2e_press Return
sleep 1

# Up held: the fish crashes into the ceiling once its protection runs out, every life.
xdotool keydown Up
for i in $(seq 60); do
    sleep 1
    [[ "$(xxd -p -l 5 "$E2E_WORK/hiscore.dat")" == "$(printf PESKO | xxd -p)" ]] && break
done
xdotool keyup Up
e2e_log "after the game hiscore.dat starts: $(head -c 16 "$E2E_WORK/hiscore.dat" | tr '\0' '.')"
[[ "$(head -c 6 "$E2E_WORK/hiscore.dat" | xxd -p)" == "$(printf 'PESKO\0' | xxd -p)" ]] ||
    e2e_fail "the typed name is not the new best row of hiscore.dat"

sleep 2
e2e_quit_from_menu
echo "input e2e passed"
