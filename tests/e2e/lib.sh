# Shared steps of the end-to-end tests: the real pesko under Xvfb, driven by xdotool.
# Usage in a test script (run by CTest as: bash script.sh <pesko> <data-dir>):
#   source "$(dirname "$0")/lib.sh"; e2e_setup "$@"
#   e2e_start; e2e_skip_intro; e2e_press Down; e2e_shot menu.png; e2e_press Escape; ...
#   code=$(e2e_wait_exit 30)
set -euo pipefail

E2E_DATA_FILES=(data.dat game_font.pcx gamelogo.avi patches.dat)

e2e_fail() { echo "FAIL: $*" >&2; exit 1; }
e2e_log() { echo "[$(date +%T)] $*" >&2; }

# e2e_setup PESKO DATA_DIR: a fresh game folder with the game, its data and a
# private X server. The game runs from its own copy there, so the data it finds
# beside itself is the folder's (which a test may take away), and it keeps its
# saves there too. The X screen is 640 x 480, so the game's window is 1x; set
# E2E_SCREEN=WxHxD before for another.
e2e_setup() {
    E2E_DATA=$(readlink -f "$2")
    E2E_WORK=$(mktemp -d /tmp/pesko-e2e-XXXXXX)
    cp "$1" "$E2E_WORK/pesko"
    E2E_PESKO=$E2E_WORK/pesko
    export PESKO_SAVE_DIR=$E2E_WORK
    unset PESKO_DATA_DIR XDG_DATA_HOME XDG_CONFIG_HOME
    E2E_SHOTS=${E2E_SHOTS:-$E2E_WORK/shots}
    mkdir -p "$E2E_SHOTS"
    local f
    for f in "${E2E_DATA_FILES[@]}"; do
        [[ -e "$E2E_DATA/$f" ]] && cp "$E2E_DATA/$f" "$E2E_WORK/"
    done
    # Sound goes nowhere: no card is needed, and nothing is heard during tests.
    printf 'pcm.!default { type null }\n' > "$E2E_WORK/.asoundrc"
    trap e2e_cleanup EXIT
    local fdfile="$E2E_WORK/display"
    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-640x480x24}" -nolisten tcp 3>"$fdfile" 2>/dev/null &
    E2E_XVFB=$!
    local i
    for i in $(seq 100); do
        [[ -s "$fdfile" ]] && break
        sleep 0.1
    done
    [[ -s "$fdfile" ]] || e2e_fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$fdfile")"
    E2E_PID=""
}

e2e_cleanup() {
    local i
    if [[ -n "${E2E_PID:-}" && ! -e "$E2E_WORK/exit_code" ]]; then
        kill -9 "$E2E_PID" 2>/dev/null || true
        # The watcher writes exit_code once the game is gone; the folder goes after that.
        for i in $(seq 20); do
            [[ -e "$E2E_WORK/exit_code" ]] && break
            sleep 0.1
        done
    fi
    [[ -n "${E2E_XVFB:-}" ]] && kill "$E2E_XVFB" 2>/dev/null || true
    [[ "${E2E_KEEP:-0}" == 1 ]] || rm -rf "$E2E_WORK" || true
}

# e2e_start [OPTION...]: runs the game in the game folder; its output goes to $E2E_WORK/out.txt and
# its exit code, once it ends, to $E2E_WORK/exit_code (so any subshell can read it).
e2e_start() {
    rm -f "$E2E_WORK/exit_code" "$E2E_WORK/pid"
    (
        cd "$E2E_WORK"
        HOME="$E2E_WORK" "$E2E_PESKO" "$@" >"$E2E_WORK/out.txt" 2>&1 &
        echo $! >"$E2E_WORK/pid"
        code=0
        wait $! || code=$?
        echo "$code" >"$E2E_WORK/exit_code"
    ) &
    local i
    for i in $(seq 50); do
        [[ -s "$E2E_WORK/pid" ]] && break
        sleep 0.1
    done
    E2E_PID=$(cat "$E2E_WORK/pid")
    for i in $(seq 100); do
        xdotool search --name '^Pesko$' >/dev/null 2>&1 && break
        [[ -e "$E2E_WORK/exit_code" ]] && e2e_fail "pesko ended at start: $(cat "$E2E_WORK/out.txt")"
        sleep 0.1
    done
    xdotool mousemove 320 240 >/dev/null 2>&1 || true
}

# e2e_press KEY [SECONDS]: holds a key long enough for the game's slowest key reading (110 ms).
e2e_press() {
    xdotool keydown "$1"
    sleep "${2:-0.2}"
    xdotool keyup "$1"
    sleep 0.15
}

# e2e_type TEXT: one character at a time, slower than the name entry's 40 ms steps.
e2e_type() {
    local i
    for ((i = 0; i < ${#1}; i++)); do
        e2e_press "${1:i:1}" 0.1
    done
}

# e2e_wait_file NAME [SECONDS]: waits until the game folder holds NAME.
e2e_wait_file() {
    local i
    for i in $(seq $((${2:-10} * 10))); do
        [[ -e "$E2E_WORK/$1" ]] && return 0
        sleep 0.1
    done
    e2e_fail "$1 did not appear"
}

# e2e_skip_intro: a key ends the intro movie; the menu opens once hiscore.dat exists.
e2e_skip_intro() {
    sleep 1
    e2e_press space
    e2e_wait_file hiscore.dat 15
    sleep 1
}

# e2e_shot NAME.png: a screenshot of the whole X screen into the shots folder.
e2e_shot() {
    import -window root "$E2E_SHOTS/$1"
    echo "$E2E_SHOTS/$1"
}

# e2e_menu_row [X Y SCALE]: the red menu row, 0 for Play to 4 for Quit (-1 for
# none), from one screenshot of the menu drawn at X, Y (0, 0) SCALE (1) times:
# each row's band is scaled down to one pixel holding its share of pure red.
e2e_menu_row() {
    local x=${1:-0} y=${2:-0} s=${3:-1}
    import -window root -crop $((240 * s))x$((300 * s))+$((x + 200 * s))+$((y + 140 * s)) miff:- |
        convert miff:- +repage -fill black +opaque '#FF0000' -scale '1x5!' -depth 16 txt:- |
        awk -F'[(,]' 'NR > 1 {red[NR - 2] = $3} END {best = -1; for (r = 0; r < 5; r++) if (red[r] > 500 && (best < 0 || red[r] > red[best])) best = r; print best}'
}

# e2e_expect_menu_row ROW WHAT [X Y SCALE]: the highlight settles on ROW (a busy machine may draw late).
e2e_expect_menu_row() {
    local i row
    for i in $(seq 8); do
        row=$(e2e_menu_row "${@:3}")
        ((row == $1)) && return 0
    done
    e2e_fail "$2: the menu's highlight is on row $row, not $1"
}

# e2e_count_colour SHOT X Y W H RRGGBB: how many pixels of exactly that colour lie in the box.
e2e_count_colour() {
    convert "$1" -crop "$4x$5+$2+$3" +repage -depth 8 txt:- | grep -ci "#$6" || true
}

# e2e_wait_exit SECONDS: waits for the game to end and prints its exit code.
e2e_wait_exit() {
    local i
    for i in $(seq $(($1 * 10))); do
        if [[ -s "$E2E_WORK/exit_code" ]]; then
            cat "$E2E_WORK/exit_code"
            return 0
        fi
        sleep 0.1
    done
    e2e_fail "pesko did not end within $1 s"
}

# e2e_cpu_seconds: CPU time the game has used so far (user + system).
e2e_cpu_seconds() {
    local ticks
    ticks=$(awk '{print $14 + $15}' "/proc/$E2E_PID/stat")
    awk -v t="$ticks" -v hz="$(getconf CLK_TCK)" 'BEGIN {printf "%.2f", t / hz}'
}

# e2e_expect_exit SECONDS CODE WHAT: the game must end within SECONDS with exit code CODE.
e2e_expect_exit() {
    local code
    code=$(e2e_wait_exit "$1")
    [[ "$code" == "$2" ]] || e2e_fail "exit code $code $3"
}

# e2e_quit_from_menu: ESC chooses Quit, the credits roll, a key ends them and
# the program, which must end with exit code 0.
e2e_quit_from_menu() {
    e2e_press Escape
    sleep 2
    e2e_press space
    e2e_expect_exit 20 0 "after quitting from the menu"
}

# e2e_window_size: the size (WxH, xdotool getwindowgeometry) of the game's window
# on view. In full screen Allegro shows another, nameless window of its own, so
# this takes whatever top-level window is mapped.
e2e_window_size() {
    local root id
    root=$(xwininfo -root | awk '/Window id:/ {print $4}')
    for id in $(xdotool search --onlyvisible --maxdepth 1 "" 2>/dev/null); do
        ((id == root)) && continue
        xdotool getwindowgeometry "$id" | awk '/Geometry:/ {print $2}'
        return 0
    done
}
