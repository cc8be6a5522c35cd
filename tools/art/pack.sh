#!/usr/bin/env bash
# Packs data.dat from the generated sounds, tunes, pictures and fonts, in the
# order of data/data_objects.def: the game reads its objects by that index.
# Usage: pack.sh DATAFILE ART_DIR SOUND_DIR OBJECT_TABLE
set -euo pipefail
datafile=$1 art=$2 sound=$3 table=$4

tmp="$datafile.tmp"
rm -f "$tmp"

# Where the tools leave each dat type, and under which extension.
declare -A dir=([SAMP]=$sound [MIDI]=$sound [BMP]=$art [FONT]=$art)
declare -A ext=([SAMP]=wav [MIDI]=mid [BMP]=tga [FONT]=pcx)

expected=0
while read -r type file; do
    path="${dir[$type]}/$file.${ext[$type]}"
    [[ -r "$path" ]] || { echo "pack.sh: missing $path" >&2; exit 1; }
    dat -n0 -c2 -a -t "$type" -bpp 32 "$tmp" "$path" >/dev/null
    expected=$((expected + 1))
done < <(sed -n 's/^DATA_OBJECT([A-Z0-9_]*, *\([A-Z]*\), *\([a-z0-9_]*\)).*/\1 \2/p' "$table")

# dat skips a file it cannot read and still succeeds: count what went in.
count=$(dat -l "$tmp" | grep -c '^- ')
if [[ "$count" -ne "$expected" ]]; then
    echo "pack.sh: $datafile would hold $count objects instead of $expected" >&2
    exit 1
fi
# Drop the file dates dat records, so every build packs the same bytes.
dat -s1 -c2 "$tmp" >/dev/null
mv "$tmp" "$datafile"
