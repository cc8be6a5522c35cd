#!/usr/bin/env bash
# Goes TRIPS times from the menu to the hi-score table and back in the real
# game under Xvfb, printing the game's RSS every 50 trips: it must stay flat
# (each trip starts the menu's tune again).
#   bash scripts/menu_round_trips.sh [TRIPS] [pesko] [data-dir]
root=$(cd "$(dirname "$0")/.." && pwd)
trips=${1:-500}
source "$root/tests/e2e/lib.sh"
# A copy of the game, so that a rebuild meanwhile changes nothing.
copy=$(mktemp -d /tmp/pesko-trips-XXXXXX)
cp "${2:-$root/build/pesko}" "$copy/pesko"
e2e_setup "$copy/pesko" "${3:-$root/build}"
trap 'e2e_cleanup; rm -rf "$copy"' EXIT
rss_kb() { awk '/^VmRSS/ { print $2 }' "/proc/$E2E_PID/status"; }

e2e_start
e2e_skip_intro
# The highlighted item is drawn in pure red: step towards Hi-score (the third
# of the five rows, 60 pixels apart from y = 164) until it is the red one.
red_row() {
    local shot row
    shot=$(e2e_shot menu.png)
    for row in 0 1 2 3 4; do
        (($(e2e_count_colour "$shot" 160 $((144 + row * 60)) 320 40 FF0000) > 100)) && { echo "$row"; return; }
    done
    echo none
}
for ((step = 0; step < 20; step++)); do
    row=$(red_row)
    [[ "$row" == 2 ]] && break
    [[ "$row" == none ]] && e2e_fail "no highlighted item on the menu"
    if ((row < 2)); then e2e_press Down 0.05; else e2e_press Up 0.05; fi
done
[[ "$(red_row)" == 2 ]] || e2e_fail "Hi-score cannot be highlighted"
for ((trip = 0; trip <= trips; trip++)); do
    ((trip % 50 == 0 || trip == trips)) && echo "trip $trip: RSS $(rss_kb) KB"
    ((trip == trips)) && break
    e2e_press Return
    sleep 0.6
    e2e_press space  # any key ends the table; space does nothing in the menu
    sleep 0.6
    [[ ! -e "$E2E_WORK/exit_code" ]] || e2e_fail "the game ended at trip $trip"
done
[[ "$(red_row)" == 2 ]] || e2e_fail "the menu is not back with Hi-score highlighted"
e2e_quit_from_menu
