#!/usr/bin/env bash
# Packs data.dat from the generated sounds, tunes, pictures and fonts.
# The game reads objects by index, so the order below is the datafile's
# layout: #0-#11 samples, #12-#19 tunes, #20-#29 bitmaps, #30-#34 fonts.
# Usage: pack.sh DATAFILE ART_DIR SOUND_DIR
set -euo pipefail
datafile=$1 art=$2 sound=$3

samples=(snd_coin snd_crash snd_explosion snd_extra snd_bump snd_shield
         snd_move snd_unused snd_select snd_back snd_drop snd_land)
tunes=(mid_menu mid_setup mid_instructions mid_name mid_game
       mid_congratulations mid_demo mid_credits)
bitmaps=(bmp_player bmp_player_mask bmp_menu bmp_screen bmp_layer1 bmp_layer2
         bmp_tiles bmp_tiles_mask bmp_characters bmp_characters_mask)
fonts=(fnt_title fnt_heading fnt_text fnt_table fnt_menu)

tmp="$datafile.tmp"
rm -f "$tmp"

# type, directory, extension, names...
add() {
    local type=$1 dir=$2 ext=$3
    shift 3
    local files=()
    for name in "$@"; do
        [[ -r "$dir/$name.$ext" ]] || { echo "pack.sh: missing $dir/$name.$ext" >&2; exit 1; }
        files+=("$dir/$name.$ext")
    done
    dat -n0 -c2 -a -t "$type" -bpp 32 "$tmp" "${files[@]}" >/dev/null
}

add SAMP "$sound" wav "${samples[@]}"
add MIDI "$sound" mid "${tunes[@]}"
add BMP "$art" tga "${bitmaps[@]}"
add FONT "$art" pcx "${fonts[@]}"

# dat skips a file it cannot read and still succeeds: count what went in.
count=$(dat -l "$tmp" | grep -c '^- ')
if [[ "$count" -ne 35 ]]; then
    echo "pack.sh: $datafile would hold $count objects instead of 35" >&2
    exit 1
fi
# Drop the file dates dat records, so every build packs the same bytes.
dat -s1 -c2 "$tmp" >/dev/null
mv "$tmp" "$datafile"
