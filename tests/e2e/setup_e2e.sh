# The setup screen from the menu: Right on the sound volume, then Accept, rewrites
# config.dat (the volume 127 becomes 137, 14 strokes of the bar instead of 13).
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"

# setup_row: the red line of the setup screen, top first (4: the buttons), -1 for none.
setup_row() {
    local row=0 box
    for box in "330 145 300 35" "330 215 300 35" "330 285 300 35" "330 355 300 35" "0 395 640 40"; do
        # shellcheck disable=SC2086
        e2e_shows 40 $box FF0000 && { echo "$row"; return 0; }
        row=$((row + 1))
    done
    echo -1
}
volume_red() { e2e_count 330 215 300 35 FF0000; }   # the bar has 13 strokes at 127, 14 at 137

e2e_start
e2e_skip_intro
e2e_step_to 3 "the menu's red row" Up Down e2e_menu_row
e2e_press Return
e2e_wait 5 "no setup screen" '(($(setup_row) == 4))'
e2e_step_to 1 "the setup screen's red row" Up Down setup_row
per13=$(volume_red)
strokes() { echo $((($(volume_red) * 13 + per13 / 2) / per13)); }
e2e_step_to 14 "the sound bar's strokes" Left Right strokes
e2e_step_to 4 "the setup screen's red row" Up Down setup_row
e2e_shows 40 280 400 80 35 FF0000 || e2e_fail "Accept is not the shown button"
e2e_press Return
e2e_expect_menu_row 3 "after Accept"
[[ "$(xxd -p "$E2E_WORK/config.dat")" == 00000000890000007f000000 ]] ||
    e2e_fail "config.dat after Accept: $(xxd -p "$E2E_WORK/config.dat")"
e2e_quit_from_menu
echo "setup e2e passed"
