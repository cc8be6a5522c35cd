#!/usr/bin/env bash
# How much memory the game holds in the idle main menu, under Xvfb: its RSS and
# where it goes (the largest mappings from /proc/PID/smaps, anonymous memory
# together as [anon]).
# Usage: bench/menu_memory.sh <pesko> <data-dir> [seconds in the menu]
# E2E_SCREEN=1920x1080x24 gives the 2x window (the default 640x480 screen gives 1x).
source "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_setup "$1" "$2"
e2e_start
e2e_skip_intro
sleep "${3:-3}"
awk '/^VmRSS/ {printf "RSS in the menu: %.1f MB\n", $2 / 1024}' "/proc/$E2E_PID/status"
awk '/^[0-9a-f]+-[0-9a-f]+ / {name = NF >= 6 ? $6 : "[anon]"}
     /^Rss:/ {rss[name] += $2}
     END {for (n in rss) if (rss[n] >= 512) printf "%8.1f MB  %s\n", rss[n] / 1024, n}' \
    "/proc/$E2E_PID/smaps" | sort -rn | head -12
