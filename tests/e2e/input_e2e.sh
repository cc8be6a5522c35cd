# Keys from the menu to the attract demo. Taps of 50 ms and of 150 ms each move the menu's
# highlight one row. With key_up = W in pesko.cfg (the menus keep the arrows), W held drives
# the fish into the ceiling, life after life; the typed name replaces the offered one and
# enters hiscore.dat. The game is kept as last.replay, which checks without a window, and the
# menu left idle 28 s plays it under a blinking blue "DEMO" (a HUD, not the empty sea).
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"
# A table of low scores, so that any finished game enters it.
for score in 6 5 4 3 2 1; do
    printf "LOW$score"; head -c 12 /dev/zero; printf "\\x$(printf %02x "$score")\\0\\0\\0"
done >"$E2E_WORK/hiscore.dat"
printf 'key_up = W\n' >"$E2E_WORK/pesko.cfg"

e2e_start
e2e_skip_intro
! grep -q "pesko.cfg" "$E2E_WORK/out.txt" || e2e_fail "key_up = W was refused: $(cat "$E2E_WORK/out.txt")"
e2e_expect_menu_row 0 "opening the menu"
e2e_press Down
e2e_expect_menu_row 1 "Down"
# Between Instructions and Hi-score, so that a tap read twice shows as well as a lost one.
for held in 0.05 0.15; do
    for i in $(seq 10); do
        e2e_press Down "$held"
        e2e_expect_menu_row 2 "a $held s tap of Down (tap $i)"
        e2e_press Up "$held"
        e2e_expect_menu_row 1 "a $held s tap of Up (tap $i)"
    done
    e2e_log "20 taps of $held s moved one row each"
done
e2e_press Up
e2e_expect_menu_row 0 "Up"
! e2e_caption || e2e_fail "the menu shows blue where the demo's caption goes"

e2e_play PESKO
xdotool keydown w
e2e_wait 120 "the game did not end with PESKO the best row of hiscore.dat" '[[ $(e2e_best_name) == PESKO ]]'
xdotool keyup w
grep -q "^key_up = W" "$E2E_WORK/pesko.cfg" || e2e_fail "pesko.cfg lost its line"
e2e_wait 10 "no last.replay after the game" '[[ -s $E2E_WORK/last.replay ]]'
verdict=$("$E2E_PESKO" --replay "$E2E_WORK/last.replay" --verify 2>&1) || e2e_fail "--verify failed: $verdict"
e2e_log "last.replay: $(stat -c %s "$E2E_WORK/last.replay") bytes, verify: $(echo "$verdict" | tr '\n' ' ')"
[[ "$verdict" =~ ^score\ [0-9]+\ steps\ [0-9]+$'\n'ok$ ]] || e2e_fail "unexpected verdict: $verdict"

e2e_wait 30 "no menu after the game" '(($(e2e_menu_row) == 0))'
e2e_wait 35 "the demo does not show the recorded game (no HUD)" e2e_hud
e2e_wait 3 "no DEMO caption over the recorded game" e2e_caption
e2e_press space
e2e_expect_menu_row 0 "after the demo"
e2e_quit_from_menu
echo "input e2e passed"
