# A short game played to GAME OVER is kept as last.replay; the game checks it
# without a window to the same score and step; and the menu left idle then
# shows that game under "DEMO": a game with its HUD, not the empty sea.
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"

e2e_start
e2e_skip_intro
e2e_press Return   # Play
sleep 1
e2e_press Return   # the name entry keeps ANONYM
sleep 1

# Straight up into the rock, life after life, until the game is over and kept.
for i in $(seq 90); do
    [[ -e "$E2E_WORK/last.replay" ]] && break
    xdotool keydown Up
    sleep 0.5
    xdotool keyup Up
done
e2e_wait_file last.replay 20
menu_opened=$(date +%s.%N)
e2e_log "last.replay: $(stat -c %s "$E2E_WORK/last.replay") bytes"

verdict=$("$E2E_PESKO" --replay "$E2E_WORK/last.replay" --verify 2>&1) || e2e_fail "--verify failed: $verdict"
e2e_log "verify: $(echo "$verdict" | tr '\n' ' ')"
[[ "$verdict" =~ ^score\ [0-9]+\ steps\ [0-9]+$'\n'ok$ ]] || e2e_fail "unexpected verdict: $verdict"

# The menu waits 28 s; the recorded game then plays: green HUD digits along the
# top, which the sea without a fish never shows, and the blue caption.
sleep "$(awk -v t="$menu_opened" -v now="$(date +%s.%N)" 'BEGIN {d = t + 31 - now; print (d > 0 ? d : 0)}')"
best_hud=0 best_blue=0
for i in $(seq 8); do
    shot=$(e2e_shot "demo$i.png")
    hud=$(e2e_count_colour "$shot" 0 0 640 24 00FF00)
    blue=$(e2e_count_colour "$shot" 250 215 140 60 0000FF)
    ((hud > best_hud)) && best_hud=$hud
    ((blue > best_blue)) && best_blue=$blue
    sleep 0.3
done
e2e_log "demo: $best_hud green HUD pixels, $best_blue blue caption pixels"
((best_hud > 100)) || e2e_fail "the demo does not show the recorded game (no HUD)"
((best_blue > 30)) || e2e_fail "no DEMO caption over the recorded game"

e2e_press space
sleep 1.5
e2e_quit_from_menu
echo "replay e2e passed"
