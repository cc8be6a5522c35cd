# The game's window asked to close (as a window manager's close button asks, with
# WM_DELETE_WINDOW), destroyed, or killed from outside, on the menu, in a game and
# in the quit box: the close button ends it with exit code 0, a lost window with 1
# and a message, never a signal, and config.dat and hiscore.dat stay as they were.
E2E_LIGHT=1
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"

go_menu() { :; }
go_game() { e2e_play ""; }
go_quit_box() { go_game; e2e_press_until Escape "no quit box after ESC" e2e_quit_box; }

for case in "close 0" "windowclose 1" "windowkill 1"; do
    read -r action code <<<"$case"
    for place in menu game quit_box; do
        e2e_start
        e2e_skip_intro
        files=$(cat "$E2E_WORK/config.dat" "$E2E_WORK/hiscore.dat" | md5sum)
        "go_$place"
        # The window the player sees: the one that is mapped.
        window=$(xdotool search --onlyvisible --name '^Pesko$' | head -n1 || true)
        [[ -n "$window" ]] || e2e_fail "$place: no visible window named Pesko"
        if [[ $action == close ]]; then "$E2E_WORK/tool" close "$window"; else xdotool "$action" "$window"; fi
        e2e_expect_exit 10 "$code" "after $action in the $place"
        ((code == 0)) || grep -q "window or the X display is gone" "$E2E_WORK/out.txt" ||
            e2e_fail "$action in the $place: no message"
        [[ "$(cat "$E2E_WORK/config.dat" "$E2E_WORK/hiscore.dat" | md5sum)" == "$files" ]] ||
            e2e_fail "$action in the $place: the files changed"
        e2e_log "$action in the $place: exit $code, files untouched"
    done
done
echo "window e2e passed"
