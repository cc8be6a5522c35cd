# The game's window closed (destroyed) or killed from outside, on the menu, in a
# game and in the quit box: exit code 1 with a message, never a signal, and
# config.dat and hiscore.dat as they were.
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"

go_menu() { :; }
go_game() { e2e_press Return; sleep 1; e2e_type E2E; e2e_press Return; sleep 2; }
go_quit_box() { go_game; e2e_press Escape; sleep 0.5; }

for action in windowclose windowkill; do
    for place in menu game quit_box; do
        e2e_start
        e2e_skip_intro
        files=$(cat "$E2E_WORK/config.dat" "$E2E_WORK/hiscore.dat" | md5sum)
        "go_$place"
        # The window the player sees: the one that is mapped.
        window=$(xdotool search --onlyvisible --name '^Pesko$' | head -n1 || true)
        [[ -n "$window" ]] || e2e_fail "$place: no visible window named Pesko"
        xdotool "$action" "$window"
        code=$(e2e_wait_exit 10)
        [[ "$code" == 1 ]] || e2e_fail "$action in the $place: exit code $code: $(tail -n2 "$E2E_WORK/out.txt")"
        grep -q "window or the X display is gone" "$E2E_WORK/out.txt" || e2e_fail "$action in the $place: no message"
        [[ "$(cat "$E2E_WORK/config.dat" "$E2E_WORK/hiscore.dat" | md5sum)" == "$files" ]] ||
            e2e_fail "$action in the $place: the files changed"
        e2e_log "$action in the $place: exit 1, files untouched"
    done
done
echo "lost window e2e passed"
