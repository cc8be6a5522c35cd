# The intro logo movie at start-up: it plays, a key skips it to the menu, and
# without gamelogo.avi the reason is shown until a key.
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"
[[ -e "$E2E_WORK/gamelogo.avi" ]] || e2e_fail "no gamelogo.avi in $E2E_DATA"

# The mean of one channel (0-255) of a box of a screenshot.
mean_channel() {
    convert "$1" -crop "$4x$5+$2+$3" +repage -channel "$6" -separate -format "%[fx:int(255*mean)]" info:
}

# hiscore.dat is written right after the intro, just before the menu opens.
rm -f "$E2E_WORK/hiscore.dat"
e2e_start
sleep 2.5
shot=$(e2e_shot movie.png)
blue=$(mean_channel "$shot" 0 0 640 480 Blue)
red=$(mean_channel "$shot" 0 0 640 480 Red)
e2e_log "movie frame: mean blue $blue, mean red $red"
((blue > 60)) || e2e_fail "the movie's frame is not the underwater logo (mean blue $blue)"
((blue > red)) || e2e_fail "the movie's frame is not the underwater logo (blue $blue, red $red)"
[[ ! -e "$E2E_WORK/hiscore.dat" ]] || e2e_fail "the menu opened before the movie ended"
e2e_press space
e2e_wait_file hiscore.dat 2
sleep 0.5
menu=$(e2e_shot menu.png)
play=$(e2e_count_colour "$menu" 200 140 240 60 FF0000)
((play > 50)) || e2e_fail "the menu does not follow the skipped movie"
e2e_quit_from_menu

# Without the movie file: the error texts stay until a key.
rm -f "$E2E_WORK/gamelogo.avi" "$E2E_WORK/hiscore.dat"
e2e_start
sleep 1.5
first=$(e2e_shot missing1.png)
sleep 2
second=$(e2e_shot missing2.png)
for shot in "$first" "$second"; do
    message=$(e2e_count_colour "$shot" 100 238 440 12 FF0000)
    title=$(e2e_count_colour "$shot" 260 98 120 12 FFFFFF)
    hint=$(e2e_count_colour "$shot" 200 448 240 12 FFFFFF)
    e2e_log "$(basename "$shot"): $message red message pixels, $title white title, $hint white hint"
    ((message > 100)) || e2e_fail "no error message in $(basename "$shot")"
    ((title > 20 && hint > 40)) || e2e_fail "no 'AVI logo' or 'Press a key to exit' in $(basename "$shot")"
done
[[ ! -e "$E2E_WORK/hiscore.dat" ]] || e2e_fail "the error screen did not wait for a key"
e2e_press space
e2e_wait_file hiscore.dat 3
e2e_quit_from_menu
echo "intro e2e passed"
