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
# Hi-score is the third of the five rows.
e2e_step_to 2 "the menu's red row" Up Down e2e_menu_row
for ((trip = 0; trip <= trips; trip++)); do
    ((trip % 50 == 0 || trip == trips)) && echo "trip $trip: RSS $(rss_kb) KB"
    ((trip == trips)) && break
    e2e_press Return
    sleep 0.6
    e2e_press space  # any key ends the table; space does nothing in the menu
    sleep 0.6
    [[ ! -e "$E2E_WORK/exit_code" ]] || e2e_fail "the game ended at trip $trip"
done
(($(e2e_menu_row) == 2)) || e2e_fail "the menu is not back with Hi-score highlighted"
e2e_quit_from_menu
