#!/usr/bin/env bash
# Every golden replay, played again by the real game without a window, must end
# with the score and after the step written beside it in expected.txt.
#   bash tests/golden/verify.sh PESKO DATA_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
pesko=$1 data=$2
failed=0
while read -r file expected; do
    [[ -z "$file" || "$file" == \#* ]] && continue
    got=$("$pesko" --replay "$here/$file" --verify --data-dir "$data" 2>&1) || true
    if [[ "$got" != "$expected"$'\n'ok ]]; then
        echo "$file: expected '$expected' and ok, got: $got"
        failed=1
    else
        echo "$file: $expected ok"
    fi
done < <(sed -E 's/^([^ ]+) (.*)$/\1 \2/' "$here/expected.txt")
exit "$failed"
