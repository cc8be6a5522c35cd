#!/usr/bin/env bash
# Plays PESKO under Xvfb with its sound routed to WAV files through ALSA's file plugin
# and prints what a player hears: a minute of the menu and a minute of play at the
# default volumes (127/127) and at full volumes (255/255), then a crash of the fish at
# the left edge with the music off.
# Usage: tools/sound/capture_game.sh OUT_DIR [BUILD_DIR] [CAPTURE...]
#   BUILD_DIR defaults to ./build; CAPTURE is any of menu_127 play_127 menu_255
#   play_255 crash_127 (all of them by default).
# tools/sound/levels.py measures each capture (peak, RMS, full-scale samples, the
# band above 12 kHz, the largest sample-to-sample jump, and for the crash the
# difference between the channels).
# Without a sound card ALSA's null device takes audio as fast as Allegro mixes it, so
# a capture holds more than the wall-clock minute: levels are right, time is stretched.
set -euo pipefail
[[ $# -ge 1 ]] || { echo "usage: $0 OUT_DIR [BUILD_DIR]" >&2; exit 2; }
out=$(mkdir -p "$1" && readlink -f "$1")
build=$(readlink -f "${2:-build}")
here=$(dirname "$(readlink -f "$0")")
[[ -x "$build/pesko" && -r "$build/data.dat" ]] || { echo "$0: no pesko or data.dat in $build" >&2; exit 1; }

source "$here/../../tests/e2e/lib.sh"

# run_game NAME SOUND MUSIC STEPS: one run of the game from the menu, captured into
# $out/NAME.wav; STEPS is a function that drives it from the menu on and quits.
run_game() {
    local name=$1 sound=$2 music=$3 steps=$4
    (
        e2e_setup "$build/pesko" "$build"
        # config.dat: control 0 (keyboard), sound volume, music volume, little-endian.
        python3 -c "import struct,sys; sys.stdout.buffer.write(struct.pack('<iii', 0, $sound, $music))" \
            >"$E2E_WORK/config.dat"
        cat >"$E2E_WORK/.asoundrc" <<ASOUND
pcm.!default { type plug; slave { pcm "capture"; format S16_LE } }
pcm.capture { type file; slave.pcm "null"; file "$out/$name.wav"; format "wav" }
ASOUND
        rm -f "$out/$name.wav"
        e2e_start
        e2e_skip_intro
        "$steps"
        e2e_wait_exit 30 >/dev/null
    )
}

# ESC in the menu rolls the credits and a key ends them; a press that lands between
# two screens is lost, so try again until the game has ended.
quit_from_menu() {
    local try i
    for try in 1 2 3 4 5; do
        e2e_press Escape
        sleep 2
        e2e_press space
        for i in $(seq 60); do
            [[ -s "$E2E_WORK/exit_code" ]] && return 0
            sleep 0.1
        done
    done
    e2e_fail "pesko did not end"
}

# The menu for a minute, the cursor moved now and then; then quit through the credits.
menu_minute() {
    local i
    for i in $(seq 10); do
        sleep 5.5
        e2e_press Down
    done
    quit_from_menu
}

start_game() {
    e2e_press Up 0.8
    e2e_press Return
    sleep 1
    e2e_type PESKO
    e2e_press Return
    sleep 1
}

# Yes in the quit box, then quit from the menu.
quit_game() {
    e2e_press Escape
    e2e_press Left
    e2e_press Return
    sleep 3
    quit_from_menu
}

# A minute of play: the fish weaves up and down and forward and back.
play_minute() {
    start_game
    local i
    for i in $(seq 15); do
        e2e_press Up 0.6
        e2e_press Right 0.5
        e2e_press Down 0.9
        e2e_press Left 0.5
        sleep 1
    done
    quit_game
}

# Straight up into the ceiling from the start, at the left edge of the sea.
crash_left() {
    start_game
    # The fish is shielded for its first 3 s: it crashes once the shield is gone.
    xdotool keydown Up
    sleep 8
    xdotool keyup Up
    sleep 2
    quit_game
}

analyse() {  # NAME
    python3 "$here/levels.py" "$out/$1.wav" "$1"
}

captures=("${@:3}")
((${#captures[@]})) || captures=(menu_127 play_127 menu_255 play_255 crash_127)
for name in "${captures[@]}"; do
    case $name in
    menu_*) run_game "$name" "${name#menu_}" "${name#menu_}" menu_minute ;;
    play_*) run_game "$name" "${name#play_}" "${name#play_}" play_minute ;;
    crash_*) run_game "$name" "${name#crash_}" 0 crash_left ;;
    *) echo "$0: no capture called $name" >&2; exit 2 ;;
    esac
done
for name in "${captures[@]}"; do
    analyse "$name"
done
