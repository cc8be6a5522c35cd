# A key bound in pesko.cfg steers: with key_up = W, W held (and no arrow) drives
# the fish into the ceiling, life after life, until the game is over and its
# score enters hiscore.dat.
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"

hiscore_row() { printf '%s' "$1" | head -c 16; head -c $((16 - ${#1})) /dev/zero; printf "\\x$(printf %02x "$2")\\0\\0\\0"; }
for score in 6 5 4 3 2 1; do hiscore_row "LOW$score" "$score"; done >"$E2E_WORK/hiscore.dat"
printf 'key_up = W\n' >"$E2E_WORK/pesko.cfg"

e2e_start
e2e_skip_intro
grep -q "pesko.cfg" "$E2E_WORK/out.txt" && e2e_fail "key_up = W was refused: $(cat "$E2E_WORK/out.txt")"
e2e_press Return
sleep 1
e2e_type BOUND
e2e_press Return
sleep 1

xdotool keydown w
for i in $(seq 60); do
    sleep 1
    [[ "$(xxd -p -l 5 "$E2E_WORK/hiscore.dat")" == "$(printf BOUND | xxd -p)" ]] && break
done
xdotool keyup w
[[ "$(head -c 6 "$E2E_WORK/hiscore.dat" | xxd -p)" == "$(printf 'BOUND\0' | xxd -p)" ]] ||
    e2e_fail "W held did not steer the fish up into the ceiling until GAME OVER"
grep -q "^key_up" "$E2E_WORK/pesko.cfg" || e2e_fail "pesko.cfg lost its line"

sleep 2
e2e_quit_from_menu
echo "controls e2e passed"
