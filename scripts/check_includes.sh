#!/usr/bin/env bash
# The game's folders stand in layers, lowest first; a file may include its own
# folder and the ones below it, never one above. Prints each include that runs
# upward and fails when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."
layers=(files data settings platform input app movie world replay game screens)

rank() {  # rank FOLDER: its place in the layers, or nothing
    local i
    for i in "${!layers[@]}"; do
        [[ "${layers[$i]}" == "$1" ]] && { echo "$i"; return; }
    done
}

bad=0
for folder in "${layers[@]}"; do
    own=$(rank "$folder")
    while IFS=: read -r file line included; do
        target=$(rank "${included%%/*}")
        if [[ -n "$target" && "$target" -gt "$own" ]]; then
            echo "$file:$line includes $included, a folder above $folder/"
            bad=1
        fi
    done < <(grep -rnoE '#include "[a-z_]+/[^"]+"' "$folder" --include='*.h' --include='*.cpp' --include='*.def' |
             sed -E 's/#include "([^"]+)"/\1/')
done
exit "$bad"
