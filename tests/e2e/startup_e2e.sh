# First run in an empty folder, the menu, and quitting: files, picture and exit code.
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"
rm -f "$E2E_WORK/config.dat" "$E2E_WORK/hiscore.dat"

e2e_start
e2e_skip_intro

# Both files are created with the defaults before the menu shows.
[[ "$(xxd -p "$E2E_WORK/config.dat")" == "000000007f0000007f000000" ]] || e2e_fail "config.dat: $(xxd -p "$E2E_WORK/config.dat")"
expected_hiscores=$(for row in PESKO:4000 VEDUR:2000 ZAVUD:1000 ANONYM3:500 ANONYM2:250 ANONYM1:100; do
    name=${row%%:*}; score=${row##*:}
    printf '%s' "$name"; head -c $((16 - ${#name})) /dev/zero
    printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $((score & 255)) $((score >> 8 & 255)) 0 0)"
done | xxd -p | tr -d '\n')
[[ "$(xxd -p "$E2E_WORK/hiscore.dat" | tr -d '\n')" == "$expected_hiscores" ]] || e2e_fail "hiscore.dat differs from the default table"

# Play is highlighted: its text is red, pressed 5 px down (row 0 at y 145).
shot=$(e2e_shot menu.png)
red=$(e2e_count_colour "$shot" 200 140 240 60 FF0000)
white=$(e2e_count_colour "$shot" 200 200 240 60 FFFFFF)
e2e_log "menu: $red red pixels on Play, $white white on Instructions"
((red > 50)) || e2e_fail "the selected item is not drawn in red"
((white > 50)) || e2e_fail "the other items are not drawn in white"

# ESC chooses Quit: the credits roll, a key ends them and the program.
e2e_quit_from_menu
echo "startup e2e passed"
