#!/usr/bin/env bash
# Sets everything up and starts PESKO from build/, where pesko and its data live.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cd build
exec ./pesko
