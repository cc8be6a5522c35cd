# Quit rolls the credits: text shows in the strip mid-roll, a key ends the program with 0.
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"

e2e_start
e2e_skip_intro
e2e_press Escape
# The first line enters the strip after about 20 ticks (0.8 s); after 3 s several are up.
sleep 3
shot=$(e2e_shot credits.png)
white=$(e2e_count_colour "$shot" 0 20 640 440 FFFFFF)
grey=$(e2e_count_colour "$shot" 0 20 640 440 808080)
e2e_log "credits mid-roll: $white white and $grey grey text pixels"
((white > 200)) || e2e_fail "no name lines on the rolling credits"
((grey > 20)) || e2e_fail "no headings on the rolling credits"
kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the game ended before a key"
e2e_press space
e2e_expect_exit 10 0 "after the credits"
echo "credits e2e passed"
