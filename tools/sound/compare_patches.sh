#!/bin/bash
# Plays every tune of the game through two patch sets at once (pesko-listen under Xvfb,
# the sound routed to WAV files as listen.sh does) and prints, per tune, each capture's
# length and RMS and the RMS difference: a changed patches.dat must sound the same.
# Usage: tools/sound/compare_patches.sh BUILD_DIR OLD_PATCHES NEW_PATCHES OUT_DIR [TUNE_SECONDS]
#   (cmake --build BUILD_DIR --target sound_assets pesko-listen first). TUNE_SECONDS
#   defaults to 50, past the loop point of every tune.
# Both sets play side by side, so the load of the machine stretches both captures alike.
set -euo pipefail
build=$(realpath "$1")
old=$(realpath "$2")
new=$(realpath "$3")
out=$(mkdir -p "$4" && realpath "$4")
seconds=${5:-50}

exec 3>"$out/display"
Xvfb -displayfd 3 -screen 0 640x480x24 >/dev/null 2>&1 &
xvfb_pid=$!
homes=$(mktemp -d)
trap 'kill $xvfb_pid; rm -rf "$homes"' EXIT
sleep 1
display=:$(cat "$out/display")

capture() {  # PATCHES TUNE WAV: plays TUNE through PATCHES into WAV
    local home
    home=$(mktemp -d -p "$homes")
    cat >"$home/.asoundrc" <<ASOUND
pcm.!default { type plug; slave { pcm "capture"; format S16_LE } }
pcm.capture { type file; slave.pcm "null"; file "$3"; format "wav" }
ASOUND
    rm -f "$3"
    DISPLAY=$display HOME=$home "$build/tools/sound/pesko-listen" "$1" "$2" "$seconds" 2>/dev/null
}

# Length in seconds and RMS in dBFS of all but the last second, where the player stopped.
measure() {  # WAV
    sox "$1" -n trim 0 -1 stats 2>&1 | awk '/^RMS lev dB/ {rms=$4} /^Length s/ {len=$3} END {print len + 1, rms}'
}

printf "%-22s %9s %9s %8s %8s %7s\n" tune "old s" "new s" "old dB" "new dB" "diff"
for mid in "$build"/gen/sound/mid_*.mid; do
    name=$(basename "${mid%.*}")
    capture "$old" "$mid" "$out/$name.old.wav" &
    other=$!
    capture "$new" "$mid" "$out/$name.new.wav"
    wait "$other"
    read -r oldLength oldRms < <(measure "$out/$name.old.wav")
    read -r newLength newRms < <(measure "$out/$name.new.wav")
    awk -v n="$name" -v ol="$oldLength" -v nl="$newLength" -v o="$oldRms" -v w="$newRms" \
        'BEGIN {printf "%-22s %9.2f %9.2f %8.2f %8.2f %7.2f\n", n, ol, nl, o, w, w - o}'
done
