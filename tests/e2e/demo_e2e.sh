# The menu left idle for 28 s starts the demo: "DEMO" blinks in blue at the
# centre, a key ends it and the menu comes back.
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"

e2e_start
e2e_skip_intro
menu_opened=$(date +%s.%N)

shot=$(e2e_shot menu.png)
blue_in_menu=$(e2e_count_colour "$shot" 250 215 140 60 0000FF)

# The menu waits 28 s; the caption is hidden for the demo's first half second,
# then shown for 0.55 s and hidden for 0.55 s in turn.
sleep "$(awk -v t="$menu_opened" -v now="$(date +%s.%N)" 'BEGIN {d = t + 28.3 - now; print (d > 0 ? d : 0)}')"
best=0
for i in $(seq 12); do
    shot=$(e2e_shot "demo$i.png")
    blue=$(e2e_count_colour "$shot" 250 215 140 60 0000FF)
    ((blue > best)) && best=$blue
    sleep 0.15
done
e2e_log "demo: at most $best blue caption pixels near the centre (menu: $blue_in_menu)"
((best > 30 && best > blue_in_menu + 30)) || e2e_fail "no blue DEMO caption within the demo's first seconds"

# Any key ends the demo; the menu comes back with Play highlighted in red.
e2e_press space
sleep 1.5
e2e_expect_menu_row 0 "after the demo"

e2e_quit_from_menu
echo "demo e2e passed"
