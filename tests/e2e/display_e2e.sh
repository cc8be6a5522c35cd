# On a 1920 x 1080 desktop: a 2x window even for --scale 4, F11 and Alt+Enter between window and
# full screen, the choice remembered, a game paused by focus loss, and the
# command line answered without a window.
E2E_SCREEN=1920x1080x24
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"

# --help and --bogus answer at once. With no X display, opening a window would
# end with code 1, so codes 0 and 2 show that none was tried.
cd "$E2E_WORK"
for help in --help -h; do
    code=0; env -u DISPLAY "$E2E_PESKO" $help >help.txt 2>&1 || code=$?
    [[ $code == 0 ]] && grep -q -- "--fullscreen" help.txt || e2e_fail "$help: code $code, $(cat help.txt)"
done
code=0; env -u DISPLAY "$E2E_PESKO" --bogus >bogus.txt 2>&1 || code=$?
[[ $code == 2 ]] && grep -q -- "--scale" bogus.txt || e2e_fail "--bogus: code $code, $(cat bogus.txt)"
cd - >/dev/null

expect_screen() {  # expect_screen SIZE X Y WHAT: the window's size, and the menu shown 2x at X, Y
    local size
    size=$(e2e_window_size)
    e2e_log "$4: window $size"
    [[ "$size" == "$1" ]] || e2e_fail "$4: the window is $size, not $1"
    e2e_expect_menu_row 0 "$4, 2x at ($2, $3)" "$2" "$3" 2
    e2e_shot "menu_$2_$3.png" >/dev/null
}

# A scale too big for the desktop: the largest window that fits, one line why, nothing remembered.
e2e_start --scale 4
e2e_skip_intro
expect_screen 1280x960 0 0 "--scale 4"
grep -q "scale 4 does not fit" "$E2E_WORK/out.txt" || e2e_fail "--scale 4 said: $(cat "$E2E_WORK/out.txt")"
! grep -q "scale = 4" "$E2E_WORK/pesko.cfg" 2>/dev/null || e2e_fail "pesko.cfg remembers --scale 4"
e2e_quit_from_menu

e2e_start
e2e_skip_intro
expect_screen 1280x960 0 0 "first start"
e2e_press F11
expect_screen 1920x1080 320 60 "F11"
border=$(convert "$E2E_SHOTS/menu_320_60.png" -crop 320x1080+0+0 -format "%[fx:maxima]" info:)
[[ "$border" == 0 ]] || e2e_fail "the border left of the picture is not black"
e2e_press F11
expect_screen 1280x960 0 0 "F11 again"
# The arrows keep the menu from starting its demo before the test is done.
e2e_press Down
e2e_press Up

# Alt+Enter toggles and is no Enter: the menu stays, no name entry opens.
xdotool keydown Alt_L; e2e_press Return; xdotool keyup Alt_L; sleep 0.5
expect_screen 1920x1080 320 60 "Alt+Enter"
grep -q "fullscreen = yes" "$E2E_WORK/pesko.cfg" || e2e_fail "pesko.cfg: $(cat "$E2E_WORK/pesko.cfg")"
e2e_quit_from_menu

# The next start remembers full screen; F11 goes back to the window for a game.
e2e_start
e2e_skip_intro
expect_screen 1920x1080 320 60 "the next start"
e2e_press F11
e2e_press Return
sleep 1
e2e_type E2E
e2e_press Return
sleep 2

# score_pixels NAME: a checksum of the HUD score's pixels (picture x 505..639, y 0..29, at 2x).
score_pixels() {
    convert "$(e2e_shot "$1.png")" -crop 270x60+1010+0 +repage rgb:- | md5sum
}
running1=$(score_pixels running1); sleep 1; running2=$(score_pixels running2)
[[ "$running1" != "$running2" ]] || e2e_fail "the score does not change while the game runs"

# Focus to another X client: PAUSE in blue at the centre, and the score stops.
xmessage -name other "another window" &
other_pid=$!
for i in $(seq 50); do other=$(xdotool search --classname '^other$' 2>/dev/null | head -n1 || true); [[ -n "$other" ]] && break; sleep 0.1; done
xdotool windowfocus "$other"
sleep 1
paused1=$(score_pixels paused1)
blue=$(e2e_count_colour "$E2E_SHOTS/paused1.png" 500 460 280 80 0000FF)
sleep 1
paused2=$(score_pixels paused2)
kill "$other_pid" 2>/dev/null || true
e2e_log "focus lost: $blue blue pixels of PAUSE"
((blue > 200)) || e2e_fail "PAUSE is not shown after the focus went to another window"
[[ "$paused1" == "$paused2" ]] || e2e_fail "the score went on after the focus was lost"
kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "pesko ended: $(cat "$E2E_WORK/out.txt")"
echo "display e2e passed"
