# Shared steps of the end-to-end tests: the real pesko under Xvfb, driven by xdotool.
# In a test script (run by CTest as: bash script.sh <pesko> <data-dir>): source this, then
# e2e_setup "$@"; e2e_start; e2e_skip_intro; e2e_press Down; ...; e2e_quit_from_menu. No step
# waits a fixed time: each waits for what the screen or the game folder shows (e2e_wait).
set -euo pipefail

e2e_fail() { echo "FAIL: $*" >&2; exit 1; }
e2e_log() { echo "[$(date +%T)] $*" >&2; }

# e2e_setup PESKO DATA_DIR: a fresh game folder with the game (its own copy, so the data
# it finds beside itself is the folder's, which a test may take away), its data, its
# saves and an X server on a free display, 640 x 480 (a 1x window) or E2E_SCREEN=WxHxD.
# E2E_LIGHT=1 skips at each start what a test of leaving need not pay for: data.dat is
# unpacked, and Allegro's allegro.cfg beside the game turns the music synthesiser off.
e2e_setup() {
    E2E_WORK=$(mktemp -d /tmp/pesko-e2e-XXXXXX)
    E2E_PESKO=$E2E_WORK/pesko E2E_HOME=$E2E_WORK E2E_RUN_DIR=$E2E_WORK E2E_PID=""
    export PESKO_SAVE_DIR=$E2E_WORK PESKO_FRAME_LOG=$E2E_WORK/frames.txt
    mkdir -p "${E2E_SHOTS:=$E2E_WORK/shots}"
    unset PESKO_DATA_DIR XDG_DATA_HOME XDG_CONFIG_HOME
    cp "$1" "$E2E_PESKO"
    cp "$2"/{data.dat,game_font.pcx,gamelogo.avi,patches.dat} "$E2E_WORK/"
    # Sound goes nowhere: no card is needed, and nothing is heard during tests.
    printf 'pcm.!default { type null }\n' >"$E2E_WORK/.asoundrc"
    if [[ ${E2E_LIGHT:-0} == 1 ]]; then
        (cd "$E2E_WORK" && dat -n0 -c0 data.dat >/dev/null) || e2e_fail "dat cannot unpack data.dat"
        printf '[sound]\nmidi_card = 0\n' >"$E2E_WORK/allegro.cfg"
    fi
    cc -O1 -o "$E2E_WORK/tool" "$(dirname "${BASH_SOURCE[0]}")/e2e_tool.c" -lX11 || e2e_fail "cannot build e2e_tool.c"
    trap e2e_cleanup EXIT
    exec {E2E_NAP}<> <(:)   # a pipe that never speaks: e2e_nap pauses without a sleep process
    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-640x480x24}" -nolisten tcp 3>"$E2E_WORK/display" 2>/dev/null &
    E2E_XVFB=$!
    e2e_wait 10 "Xvfb did not start" '[[ -s $E2E_WORK/display ]]'
    export DISPLAY=":$(head -n1 "$E2E_WORK/display")"
}

e2e_cleanup() {  # the watcher writes exit_code once the game is gone; the folder goes after that
    if [[ -n "$E2E_PID" && ! -e "$E2E_WORK/exit_code" ]] && kill -9 "$E2E_PID" 2>/dev/null; then
        for _ in $(seq 20); do [[ -e "$E2E_WORK/exit_code" ]] && break; sleep 0.1; done
    fi
    kill "${E2E_XVFB:-}" 2>/dev/null || true
    [[ "${E2E_KEEP:-0}" == 1 ]] || rm -rf "$E2E_WORK" || true
}

e2e_nap() { read -r -t "$1" -u "$E2E_NAP" || true; }

# e2e_wait SECONDS WHAT CONDITION: until the shell CONDITION holds; after SECONDS it fails
# with WHAT (expanded then, so it may show what the screen has instead).
e2e_wait() {
    local end=$((SECONDS + $1))
    until eval "$3"; do
        ((SECONDS <= end)) || e2e_fail "$(eval "echo \"$2\"")"
        e2e_nap 0.05
    done
}

# e2e_start [OPTION...]: runs $E2E_PESKO in $E2E_RUN_DIR and returns once it draws its first
# frame. Its output goes to $E2E_WORK/out.txt, its exit code once it ends to $E2E_WORK/exit_code.
e2e_start() {
    rm -f "$E2E_WORK/exit_code" "$E2E_WORK/pid" "$PESKO_FRAME_LOG"
    (
        cd "$E2E_RUN_DIR"
        HOME=$E2E_HOME "$E2E_PESKO" "$@" >"$E2E_WORK/out.txt" 2>&1 &
        echo $! >"$E2E_WORK/pid"
        code=0
        wait $! || code=$?
        echo "$code" >"$E2E_WORK/exit_code"
    ) &
    e2e_wait 5 "pesko did not start" '[[ -s $E2E_WORK/pid ]]'
    E2E_PID=$(<"$E2E_WORK/pid")
    e2e_wait 20 "no frame drawn" '[[ -s $PESKO_FRAME_LOG ]] || { [[ -e $E2E_WORK/exit_code ]] &&
        e2e_fail "pesko ended at start: $(cat "$E2E_WORK/out.txt")"; }'
    xdotool mousemove 320 240 >/dev/null 2>&1 || true
}

# e2e_press KEY [SECONDS]: holds a key (0.15 s: longer than the slowest key reading, 110 ms,
# and shorter than a held key's repeat). One xdotool times the hold, so a slow process start
# on a busy machine cannot lengthen it into a repeat.
e2e_press() { xdotool keydown "$1" sleep "${2:-0.15}" keyup "$1" sleep 0.05; }

# e2e_press_until KEY WHAT CONDITION: presses KEY until CONDITION holds (again only after 3 s
# without it: a press the game missed), or fails with WHAT.
e2e_press_until() {
    local i
    for i in 1 2 3; do
        e2e_press "$1"
        (e2e_wait 3 "" "$3") 2>/dev/null && return 0
    done
    e2e_fail "$2"
}

# e2e_type TEXT: one character at a time, slower than the name entry's 40 ms steps.
e2e_type() { local i; for ((i = 0; i < ${#1}; i++)); do e2e_press "${1:i:1}" 0.1; done; }

# e2e_count X Y W H RRGGBB [BANDS]: pixels of exactly that colour in a box of the screen as it is
# now, one count for each of BANDS equal bands. e2e_shows COUNT X Y W H RRGGBB: more than COUNT.
e2e_count() { "$E2E_WORK/tool" count "$@"; }
e2e_shows() { (($(e2e_count "${@:2}") > $1)); }
e2e_hud() { e2e_shows 100 0 0 640 24 00FF00; }   # the green HUD digits along the top of a game
e2e_quit_box() { e2e_shows 20000 225 145 190 195 0000E6; }
e2e_caption() { e2e_shows 30 250 215 140 60 0000FF; }   # "DEMO" (or "PAUSE") in blue at the centre
# e2e_shot NAME.png: a screenshot of the whole X screen into $E2E_SHOTS; prints its path.
e2e_shot() { import -window root "$E2E_SHOTS/$1" && echo "$E2E_SHOTS/$1"; }

# e2e_menu_row [X Y SCALE]: the red menu row, 0 for Play to 4 for Quit (-1 for none), of the
# menu drawn at X, Y (0, 0) SCALE (1) times: the row band with the most pure red.
e2e_menu_row() {
    local x=${1:-0} y=${2:-0} s=${3:-1} red row=-1 most=$((100 * ${3:-1} ** 2)) i
    mapfile -t red < <(e2e_count $((x + 200 * s)) $((y + 140 * s)) $((240 * s)) $((300 * s)) FF0000 5)
    for i in "${!red[@]}"; do ((red[i] > most)) && most=${red[i]} row=$i; done
    echo "$row"
}

# e2e_expect_menu_row ROW WHAT [X Y SCALE]: the highlight settles on ROW within 5 s.
e2e_expect_menu_row() {
    e2e_wait 5 "$2: the menu's highlight is on row \$(e2e_menu_row ${*:3}), not $1" "((\$(e2e_menu_row ${*:3}) == $1))"
}

# e2e_step_to VALUE WHAT LESS MORE FUNCTION [ARG...]: presses the key LESS or MORE, one at a time,
# until FUNCTION ARG... prints VALUE (a red row, top first, with Up and Down): a press read twice
# is corrected.
e2e_step_to() {
    local i now
    for i in $(seq 15); do
        now=$("${@:5}")
        ((now == $1)) && return 0
        if ((now > $1)); then e2e_press "$3" 0.11; else e2e_press "$4" 0.11; fi
    done
    e2e_fail "$2: $now, never $1"
}

# e2e_skip_intro [X Y SCALE]: a key ends the intro movie; returns once the menu shows.
e2e_skip_intro() { e2e_press_until space "no menu after the intro" "((\$(e2e_menu_row $*) >= 0))"; }

# e2e_play NAME: Play from the menu (Play highlighted), NAME typed over the offered one, the game on.
e2e_play() {
    e2e_press Return
    e2e_wait 5 "no name entry after Play" 'e2e_shows 600 135 230 372 60 0000FF'   # its blue frame
    e2e_type "$1"
    e2e_press_until Return "no game in play after the name entry" e2e_hud
}

# e2e_best_name: the name of hiscore.dat's best row.
e2e_best_name() { head -c 16 "$E2E_WORK/hiscore.dat" | tr -d '\0'; }

# e2e_wait_file NAME [SECONDS]: until the game folder holds NAME. e2e_wait_exit SECONDS: until
# the game ends; prints its exit code. e2e_expect_exit SECONDS CODE WHAT: it must be CODE.
e2e_wait_file() { e2e_wait "${2:-10}" "$1 did not appear" "[[ -e \$E2E_WORK/$1 ]]"; }
e2e_wait_exit() { e2e_wait_file exit_code "$1" && cat "$E2E_WORK/exit_code"; }
e2e_expect_exit() {
    e2e_wait_file exit_code "$1"
    [[ $(<"$E2E_WORK/exit_code") == "$2" ]] ||
        e2e_fail "exit code $(<"$E2E_WORK/exit_code") $3: $(tail -n3 "$E2E_WORK/out.txt")"
}

e2e_running() { kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "pesko ended: $(cat "$E2E_WORK/out.txt")"; }

# e2e_quit_from_menu [X Y SCALE]: ESC chooses Quit, the credits roll, a key ends them and the
# program with 0.
e2e_quit_from_menu() {
    e2e_press Escape
    e2e_wait 5 "no credits after ESC" "((\$(e2e_menu_row $*) < 0))"
    e2e_press_until space "the credits did not end on a key" '[[ -s $E2E_WORK/exit_code ]]'
    e2e_expect_exit 5 0 "after quitting from the menu"
}
