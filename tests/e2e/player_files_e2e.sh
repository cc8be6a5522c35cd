# A FIFO as pesko.cfg, and the leftovers of a killed save: the game starts on
# the defaults without waiting on the FIFO, says so once, leaves it as it is,
# removes its own leftovers (and nothing of the player's) and quits cleanly.
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"
rm -f "$E2E_WORK/config.dat" "$E2E_WORK/hiscore.dat"
mkfifo "$E2E_WORK/pesko.cfg"
for f in config.dat.new hiscore.dat.new notes.new; do
    printf 'half' >"$E2E_WORK/$f"
done

e2e_start
e2e_skip_intro

[[ -p "$E2E_WORK/pesko.cfg" ]] || e2e_fail "pesko.cfg is no longer the FIFO"
said=$(grep -c 'pesko.cfg' "$E2E_WORK/out.txt" || true)
[[ "$said" == 1 ]] || e2e_fail "pesko.cfg named $said times: $(cat "$E2E_WORK/out.txt")"
[[ "$(xxd -p "$E2E_WORK/config.dat")" == "000000007f0000007f000000" ]] || e2e_fail "config.dat was not created"
[[ ! -e "$E2E_WORK/config.dat.new" && ! -e "$E2E_WORK/hiscore.dat.new" ]] || e2e_fail "a save's leftover stayed"
[[ "$(cat "$E2E_WORK/notes.new")" == half ]] || e2e_fail "the player's notes.new was touched"

e2e_quit_from_menu
[[ -p "$E2E_WORK/pesko.cfg" ]] || e2e_fail "pesko.cfg was replaced on the way out"
echo "player files e2e passed"
