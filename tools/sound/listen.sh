#!/bin/bash
# Plays every sound of the game through Allegro (pesko-listen) under Xvfb, captures
# the sound output to WAV files through ALSA's file plugin and prints sox's levels.
# Usage: tools/sound/listen.sh BUILD_DIR OUT_DIR [TUNE_SECONDS] [VOLUME]
#   (cmake --build BUILD_DIR --target sound_assets pesko-listen first)
# Without a sound card ALSA's null device takes audio as fast as Allegro mixes it, so
# a capture runs longer than the wall-clock time the tune played: levels are right,
# the time axis is stretched.
set -euo pipefail
build=$(realpath "$1")
out=$(mkdir -p "$2" && realpath "$2")
seconds=${3:-12}
volume=${4:-127}
display=:$((90 + RANDOM % 100))

Xvfb "$display" -screen 0 640x480x24 >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid' EXIT
sleep 1

home=$(mktemp -d)
capture() {  # FILE SECONDS -> $out/NAME.wav
    local name
    name=$(basename "${1%.*}")
    cat >"$home/.asoundrc" <<ASOUND
pcm.!default { type plug; slave { pcm "capture"; format S16_LE } }
pcm.capture { type file; slave.pcm "null"; file "$out/$name.wav"; format "wav" }
ASOUND
    rm -f "$out/$name.wav"
    DISPLAY=$display HOME=$home "$build/tools/sound/pesko-listen" "$build/patches.dat" "$1" "$2" "$volume" 2>/dev/null
    # Peak and RMS in dBFS, whole capture; then the quietest second of the tune's stretch.
    sox "$out/$name.wav" -n stat 2>&1 | awk -v n="$name" '
        /Maximum amplitude/ {max=$3} /Minimum amplitude/ {min=-$3} /RMS +amplitude/ {rms=$3}
        END {peak = max > min ? max : min;
             printf "%-22s peak %6.1f dBFS  rms %6.1f dBFS\n", n, 20*log(peak)/log(10), 20*log(rms)/log(10)}'
}

for wav in "$build"/gen/sound/snd_*.wav; do capture "$wav" 1.5; done
for mid in "$build"/gen/sound/mid_*.mid; do capture "$mid" "$seconds"; done
rm -rf "$home"
