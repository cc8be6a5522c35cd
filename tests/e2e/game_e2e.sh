# One game started from the menu and quit through the quit box: the HUD shows,
# Yes in the box returns to the menu, and a quit game leaves hiscore.dat alone.
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"

e2e_start
e2e_skip_intro
table_before=$(md5sum < "$E2E_WORK/hiscore.dat")

# Play is highlighted when the menu opens; then the name entry.
e2e_press Return
sleep 1
e2e_type E2E
e2e_press Return
sleep 2

# A frame of play: green HUD digits along the top (lives, coins, score).
shot=$(e2e_shot play.png)
hud=$(e2e_count_colour "$shot" 0 0 640 24 00FF00)
below=$(e2e_count_colour "$shot" 0 60 640 360 00FF00)
e2e_log "play: $hud green HUD pixels at the top, $below green pixels below"
((hud > 100)) || e2e_fail "no HUD at the top of the play screen"

# ESC opens the quit box (its face is blue 0000E6); Left picks Yes, Enter answers.
e2e_press Escape
shot=$(e2e_shot quit_box.png)
face=$(e2e_count_colour "$shot" 225 145 190 195 0000E6)
e2e_log "quit box: $face face pixels"
((face > 20000)) || e2e_fail "the quit box is not shown after ESC"
e2e_press Left
e2e_press Return
sleep 2

# Back on the menu: Play is red again, and the table was not written.
e2e_expect_menu_row 0 "after quitting the game"
[[ "$(md5sum < "$E2E_WORK/hiscore.dat")" == "$table_before" ]] || e2e_fail "hiscore.dat changed after a quit game"
kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "pesko ended: $(cat "$E2E_WORK/out.txt")"

# And the program still ends cleanly from the menu after a game.
e2e_quit_from_menu
echo "game e2e passed"
