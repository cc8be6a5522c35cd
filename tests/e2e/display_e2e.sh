# On a 1920 x 1080 desktop: a 2x window even for --scale 4, F11 and Alt+Enter between
# window and full screen, the choice remembered, a game paused by focus loss, and the
# command line answered without a window. A mode switch takes its time on a busy
# machine: each step waits until the window has its size and the menu its place.
E2E_SCREEN=1920x1080x24
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"

# --help and -h answer at once, --bogus with code 2. With no X display, opening
# a window would end with code 1, so codes 0 and 2 show that none was tried.
for case in "--help 0" "-h 0" "--bogus 2"; do
    read -r option want <<<"$case"
    code=0; env -u DISPLAY "$E2E_PESKO" "$option" >"$E2E_WORK/said.txt" 2>&1 || code=$?
    [[ $code == "$want" ]] && grep -q -- "--fullscreen" "$E2E_WORK/said.txt" ||
        e2e_fail "$option: code $code, $(cat "$E2E_WORK/said.txt")"
done

# window_size: the size (WxH) of the mapped top-level window (in full screen Allegro's own, nameless).
window_size() {
    local root id
    root=$(xwininfo -root | awk '/Window id:/ {print $4}')
    for id in $(xdotool search --onlyvisible --maxdepth 1 "" 2>/dev/null); do
        ((id == root)) || { xdotool getwindowgeometry "$id" | awk '/Geometry:/ {print $2}'; return 0; }
    done
}
window=(1280x960 0 0) full=(1920x1080 320 60)
expect_screen() {  # expect_screen SIZE X Y WHAT: the window's size, and the menu shown 2x at X, Y
    e2e_wait 10 "$4: the window is \$(window_size), not $1" '[[ $(window_size) == '"$1"' ]]'
    e2e_expect_menu_row 0 "$4, 2x at ($2, $3)" "$2" "$3" 2
    e2e_log "$4: window $1, the menu at ($2, $3)"
}

# A scale too big for the desktop: the largest window that fits, one line why, nothing remembered.
e2e_start --scale 4
e2e_skip_intro 0 0 2
expect_screen "${window[@]}" "--scale 4"
grep -q "scale 4 does not fit" "$E2E_WORK/out.txt" || e2e_fail "--scale 4 said: $(cat "$E2E_WORK/out.txt")"
e2e_press F11
expect_screen "${full[@]}" "F11"
(($(e2e_count 0 0 320 1080 000000) == 320 * 1080)) || e2e_fail "the border left of the picture is not black"
e2e_press F11
expect_screen "${window[@]}" "F11 again"
# The arrows keep the menu from starting its demo before the test is done.
e2e_press Down
e2e_press Up
# Alt+Enter toggles and is no Enter: the menu stays, no name entry opens.
xdotool keydown Alt_L key --delay 150 Return keyup Alt_L
expect_screen "${full[@]}" "Alt+Enter"
grep -q "fullscreen = yes" "$E2E_WORK/pesko.cfg" && ! grep -q "scale = 4" "$E2E_WORK/pesko.cfg" ||
    e2e_fail "pesko.cfg: $(cat "$E2E_WORK/pesko.cfg")"
e2e_quit_from_menu 320 60 2

# The next start remembers full screen; F11 goes back to the window for a game.
e2e_start
e2e_skip_intro 320 60 2
expect_screen "${full[@]}" "the next start"
e2e_press F11
expect_screen "${window[@]}" "F11 before a game"
e2e_press Return
e2e_wait 5 "no name entry" 'e2e_shows 2400 270 460 744 120 0000FF'
e2e_press_until Return "no game after the name entry" 'e2e_shows 400 0 0 1280 48 00FF00'
# The HUD's score (picture x 505..639, y 0..29, at 2x) changes while the game runs.
score() { convert "$(e2e_shot score.png)" -crop 270x60+1010+0 +repage rgb:- | md5sum; }
running=$(score)
e2e_wait 5 "the score does not change while the game runs" '[[ $(score) != "$running" ]]'

# Focus to another X client: PAUSE in blue at the centre, and the score stops.
xmessage -name other "another window" &
e2e_wait 10 "no other window" 'other=$(xdotool search --classname "^other$" 2>/dev/null | head -n1) && [[ -n $other ]]'
xdotool windowfocus "$other"
e2e_wait 5 "PAUSE is not shown after the focus went to another window" 'e2e_shows 200 500 460 280 80 0000FF'
paused=$(score)
sleep 1
[[ "$(score)" == "$paused" ]] || e2e_fail "the score went on after the focus was lost"
kill $! 2>/dev/null || true
e2e_running
echo "display e2e passed"
