#!/bin/bash
# Plays every sound of the game through Allegro (pesko-listen) under Xvfb, captures
# the sound output to WAV files through ALSA's file plugin and prints sox's levels.
# Usage: tools/sound/listen.sh BUILD_DIR OUT_DIR [TUNE_SECONDS] [VOLUME]
#   (cmake --build BUILD_DIR --target sound_assets pesko-listen first)
#   TUNE_SECONDS defaults to 50, past the loop point of every tune; VOLUME is the
#   sound and music volume, 127 as the game's default settings.
# tools/sound/capture_game.sh measures the game itself, menu and play together.
# Without a sound card ALSA's null device takes audio as fast as Allegro mixes it, so
# a capture runs longer than the wall-clock time the tune played: levels are right,
# the time axis is stretched.
set -euo pipefail
build=$(realpath "$1")
out=$(mkdir -p "$2" && realpath "$2")
seconds=${3:-50}
volume=${4:-127}

exec 3>"$out/display"
Xvfb -displayfd 3 -screen 0 640x480x24 >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid' EXIT
sleep 1
display=:$(cat "$out/display")

home=$(mktemp -d)
capture() {  # FILE SECONDS: plays FILE into $out/NAME.wav
    local name
    name=$(basename "${1%.*}")
    cat >"$home/.asoundrc" <<ASOUND
pcm.!default { type plug; slave { pcm "capture"; format S16_LE } }
pcm.capture { type file; slave.pcm "null"; file "$out/$name.wav"; format "wav" }
ASOUND
    rm -f "$out/$name.wav"
    DISPLAY=$display HOME=$home "$build/tools/sound/pesko-listen" "$build/patches.dat" "$1" "$2" "$volume" 2>/dev/null
}

# Peak and RMS in dBFS; for tunes also the RMS of the loudest and the quietest half
# second, so a stretch where nothing sounds shows up.
levels() {  # NAME [sox effects]
    local name=$1
    shift
    sox "$out/$name.wav" -n "$@" stats -w 0.5 2>&1 | awk -v n="$name" '
        /^Pk lev dB/ {pk=$4} /^RMS lev dB/ {rms=$4} /^RMS Pk dB/ {rpk=$4} /^RMS Tr dB/ {rtr=$4}
        END {printf "%-22s peak %6.1f  rms %6.1f", n, pk, rms;
             if (n ~ /^mid_/) printf "  loudest 0.5 s %6.1f  quietest 0.5 s %6.1f", rpk, rtr;
             printf "\n"}'
}

for wav in "$build"/gen/sound/snd_*.wav; do
    capture "$wav" 1.5
    # Only the sound itself, without the silence around it.
    levels "$(basename "${wav%.*}")" silence 1 1 0.1% reverse silence 1 1 0.1% reverse
done
for mid in "$build"/gen/sound/mid_*.mid; do
    capture "$mid" "$seconds"
    # All but the last second, where the player was stopped.
    levels "$(basename "${mid%.*}")" trim 0 -1
done
rm -rf "$home"
