# A game quit through the quit box (Left picks Yes): back on the menu, hiscore.dat untouched.
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"

e2e_start
e2e_skip_intro
table_before=$(md5sum <"$E2E_WORK/hiscore.dat")
e2e_play E2E
e2e_press_until Escape "the quit box is not shown after ESC" e2e_quit_box
e2e_press Left
e2e_press Return
e2e_expect_menu_row 0 "after quitting the game"
[[ "$(md5sum <"$E2E_WORK/hiscore.dat")" == "$table_before" ]] || e2e_fail "hiscore.dat changed after a quit game"
e2e_quit_from_menu
echo "game e2e passed"
