# A first start in a folder with a FIFO as pesko.cfg and the leftovers of a killed
# save: the intro movie plays (the menu opens only after it, when hiscore.dat is
# written), a key skips it, both files are made with the defaults, the FIFO is
# named once and left as it is, the game's own leftovers go and the player's stay.
# Quit rolls the credits until a key. Without gamelogo.avi the reason stays until a key.
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"
mkfifo "$E2E_WORK/pesko.cfg"
for f in config.dat.new hiscore.dat.new notes.new; do printf half >"$E2E_WORK/$f"; done

# mean Blue|Red: the mean of one channel (0-255) of the whole screen.
mean() { import -window root miff:- | convert miff:- -channel "$1" -separate -format "%[fx:int(255*mean)]" info:; }

e2e_start
e2e_wait 10 "the movie's frames are not the underwater logo" '(($(mean Blue) > 60 && $(mean Blue) > $(mean Red)))'
[[ ! -e "$E2E_WORK/hiscore.dat" ]] || e2e_fail "the menu opened before the movie ended"
e2e_skip_intro
e2e_expect_menu_row 0 "the first menu"
[[ "$(xxd -p "$E2E_WORK/config.dat")" == 000000007f0000007f000000 ]] || e2e_fail "config.dat was not made with the defaults"
[[ "$(e2e_best_name)" == PESKO ]] || e2e_fail "hiscore.dat was not made with the default table"
[[ -p "$E2E_WORK/pesko.cfg" ]] || e2e_fail "pesko.cfg is no longer the FIFO"
[[ $(grep -c pesko.cfg "$E2E_WORK/out.txt") == 1 ]] || e2e_fail "pesko.cfg not named once: $(cat "$E2E_WORK/out.txt")"
[[ ! -e "$E2E_WORK/config.dat.new" && ! -e "$E2E_WORK/hiscore.dat.new" ]] || e2e_fail "a save's leftover stayed"
[[ "$(cat "$E2E_WORK/notes.new")" == half ]] || e2e_fail "the player's notes.new was touched"

# The credits: white names and grey headings roll until a key.
e2e_press Escape
e2e_wait 10 "no names and headings on the rolling credits" \
    'e2e_shows 200 0 20 640 440 FFFFFF && e2e_shows 20 0 20 640 440 808080'
e2e_running
e2e_press_until space "the credits did not end on a key" '[[ -s $E2E_WORK/exit_code ]]'
e2e_expect_exit 5 0 "after the credits"
[[ -p "$E2E_WORK/pesko.cfg" ]] || e2e_fail "pesko.cfg was replaced on the way out"

# Without the movie: the message (red), "AVI logo" and "Press a key to exit" (white) stay until a key.
rm -f "$E2E_WORK/gamelogo.avi" "$E2E_WORK/hiscore.dat"
e2e_start
error_shown() { e2e_shows 100 100 238 440 12 FF0000 && e2e_shows 20 260 98 120 12 FFFFFF && e2e_shows 40 200 448 240 12 FFFFFF; }
e2e_wait 10 "no error screen without gamelogo.avi" error_shown
sleep 2
error_shown || e2e_fail "the error screen went away by itself"
[[ ! -e "$E2E_WORK/hiscore.dat" ]] || e2e_fail "the error screen did not wait for a key"
e2e_skip_intro
e2e_quit_from_menu
echo "startup e2e passed"
