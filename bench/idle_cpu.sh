#!/usr/bin/env bash
# How much of one core the game uses while it sits in a screen, under Xvfb.
# Usage: bench/idle_cpu.sh <pesko> <data-dir> [seconds] [keys to reach the screen...]
# With no keys it measures the idle main menu (stop before the demo at 28 s); "Return Return"
# takes the offered name and measures a game in play. E2E_SCREEN=1920x1080x24 measures 2x.
# ALSA's null device takes sound as fast as it is offered (2.3x real time), so the
# mixing's share is higher here than with a sound card.
source "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_setup "$1" "$2"
seconds=${3:-10}
shift 3 || shift $#
e2e_start
[[ ${E2E_SCREEN:-} == 1920x* ]] && menu_at=(0 0 2) || menu_at=()   # the 2x window sits at 0, 0
e2e_skip_intro "${menu_at[@]}"
for k in "$@"; do e2e_press "$k"; e2e_nap 1; done   # a screen reads no key in its first steps
sleep 1
# CPU time the game has used so far (user + system).
e2e_cpu_seconds() { awk -v hz="$(getconf CLK_TCK)" '{printf "%.2f", ($14 + $15) / hz}' "/proc/$E2E_PID/stat"; }
before=$(e2e_cpu_seconds)
sleep "$seconds"
after=$(e2e_cpu_seconds)
awk -v a="$after" -v b="$before" -v s="$seconds" 'BEGIN {printf "CPU: %.1f%% of one core over %d s\n", (a - b) * 100 / s, s}'
