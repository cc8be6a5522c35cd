# The setup screen from the menu: Right on the sound volume, then Accept, rewrites config.dat.
# Keys are read every 110 ms on the menu and on this screen, so a held key may be read once
# or twice; each step is checked on screen (the focused line is red) and corrected.
# The menu and the setup screen both count their lines from the bottom, Up adding one.
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"
rm -f "$E2E_WORK/config.dat" "$E2E_WORK/hiscore.dat"

red_in() {  # red_in X Y W H: red pixels of a fresh screenshot in the box
    local shot
    shot=$(e2e_shot step.png)
    e2e_count_colour "$shot" "$1" "$2" "$3" "$4" FF0000
}

# The red line of a list, counted as the menu and the setup screen count it: the
# bottom line is 0 and Up adds one. Boxes are given top line first, "X Y W H" each.
red_line() {
    local n=$# box
    for box in "$@"; do
        n=$((n - 1))
        # shellcheck disable=SC2086
        (($(red_in $box) > 40)) && { echo "$n"; return 0; }
    done
    echo -1
}

# move_to TARGET BOX...: Up or Down, one 110 ms tap at a time, until line TARGET is red.
move_to() {
    local target=$1 i now
    shift
    for i in $(seq 15); do
        now=$(red_line "$@")
        ((now == target)) && return 0
        ((now >= 0)) || e2e_fail "no red line on screen"
        if ((now < target)); then e2e_press Up 0.11; else e2e_press Down 0.11; fi
    done
    e2e_fail "line $target never became the red one"
}

MENU_LINES=("200 140 240 55" "200 200 240 55" "200 260 240 55" "200 320 240 55" "200 380 240 55")
SETUP_LINES=("330 145 300 35" "330 215 300 35" "330 285 300 35" "330 355 300 35" "0 395 640 40")

e2e_start
e2e_skip_intro
[[ "$(xxd -p "$E2E_WORK/config.dat")" == "000000007f0000007f000000" ]] || e2e_fail "defaults: $(xxd -p "$E2E_WORK/config.dat")"

# Menu: Play at y 145, every row 60 lower; Setup is the fourth row (y 325), Quit the fifth.
move_to 1 "${MENU_LINES[@]}"
e2e_press Return
sleep 1

# Setup: the value of the sound volume (y 220) is red when focused; the buttons lie at y 400.
move_to 3 "${SETUP_LINES[@]}"
# The bar has 13 strokes at 127 and 14 at 137; strokes are told by their red pixels.
per13=$(red_in 330 215 300 35)
strokes() { echo $((($(red_in 330 215 300 35) * 13 + per13 / 2) / per13)); }
e2e_press Right 0.11
for i in $(seq 6); do
    now=$(strokes)
    e2e_log "sound bar: $now strokes"
    ((now == 14)) && break
    if ((now < 14)); then e2e_press Right 0.11; else e2e_press Left 0.11; fi
done
(($(strokes) == 14)) || e2e_fail "the sound bar never showed 14 strokes"
e2e_shot setup.png >/dev/null
move_to 0 "${SETUP_LINES[@]}"
(($(red_in 280 400 80 35) > 40)) || e2e_fail "Accept is not the shown button"
e2e_press Return
sleep 1
[[ "$(xxd -p "$E2E_WORK/config.dat")" == "0000000089000000"7f000000 ]] ||
    e2e_fail "config.dat after Accept: $(xxd -p "$E2E_WORK/config.dat")"
[[ $(stat -c %s "$E2E_WORK/config.dat") == 12 ]] || e2e_fail "config.dat is not 12 bytes"

# Back in the menu: ESC quits through the credits.
e2e_quit_from_menu
echo "setup e2e passed"
