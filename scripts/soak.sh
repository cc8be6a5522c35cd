#!/usr/bin/env bash
# Plays the real game under Xvfb with random keys for SECONDS, starting it again
# whenever the player's Quit ends it, and samples its memory and CPU every 5 s.
#   bash scripts/soak.sh SECONDS [pesko] [data-dir]     (run it under nice)
# Fails on a crash (a signal or an exit code other than 0), a hang (the picture
# still for 60 s and unmoved by the keys that leave pause and the quit box) or
# memory growth over 10 % (the largest RSS of the last quarter of the run
# against that of the first). Samples go to soak.csv in the current folder.
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:?usage: scripts/soak.sh SECONDS [pesko] [data-dir]}
source "$root/tests/e2e/lib.sh"
# A busy machine makes xdotool or import fail now and then: that must not end the
# soak, only the game's own failures do (checked below).
set +e +o pipefail
# A copy of the game, so that a rebuild during the soak changes nothing.
copy=$(mktemp -d /tmp/pesko-soak-XXXXXX)
cp "${2:-$root/build/pesko}" "$copy/pesko"
e2e_setup "$copy/pesko" "${3:-$root/build}"
trap 'e2e_cleanup; rm -rf "$copy"' EXIT
csv=$PWD/soak.csv
echo "seconds,pid,rss_kb,cpu_percent" >"$csv"

# Mostly moving and choosing; sometimes Escape, pause, the quit box's answers and letters.
KEYS=(Up Up Down Down Left Right Left Right Return Return Return space space Escape p y n a z BackSpace)
hz=$(getconf CLK_TCK)
picture() { import -window root rgb:- 2>/dev/null | md5sum | cut -c1-32; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0; }
rss_kb() { awk '/^VmRSS/ { print $2 }' "/proc/$1/status" 2>/dev/null || echo 0; }

start=$(date +%s)
starts=0
e2e_start
starts=1
last_picture=$(picture); last_change=$start; last_sample=$start; last_ticks=$(cpu_ticks "$E2E_PID")
while (($(date +%s) - start < seconds)); do
    if [[ -e "$E2E_WORK/exit_code" ]]; then
        code=$(cat "$E2E_WORK/exit_code")
        [[ "$code" == 0 ]] || e2e_fail "the game ended with code $code after $(($(date +%s) - start)) s: $(tail -n3 "$E2E_WORK/out.txt")"
        e2e_start
        starts=$((starts + 1))
        last_ticks=$(cpu_ticks "$E2E_PID")
    fi
    key=${KEYS[RANDOM % ${#KEYS[@]}]}
    xdotool keydown "$key" 2>/dev/null; sleep 0.$((RANDOM % 3 + 1)); xdotool keyup "$key" 2>/dev/null
    now=$(date +%s)
    if ((now - last_sample >= 5)); then
        ticks=$(cpu_ticks "$E2E_PID")
        cpu=$(((ticks - last_ticks) * 100 / hz / (now - last_sample)))
        rss=$(rss_kb "$E2E_PID")
        ((rss == 0 || cpu < 0)) || echo "$((now - start)),$E2E_PID,$rss,$cpu" >>"$csv"
        last_ticks=$ticks; last_sample=$now
        shot=$(picture)
        if [[ "$shot" != "$last_picture" ]]; then
            last_picture=$shot; last_change=$now
        elif ((now - last_change >= 60)) && [[ ! -e "$E2E_WORK/exit_code" ]]; then
            for key in p n Escape Return; do e2e_press "$key"; done
            sleep 3
            [[ "$(picture)" != "$shot" || -e "$E2E_WORK/exit_code" ]] || e2e_fail "no change on screen for 60 s"
            last_change=$now
        fi
    fi
done

# Memory: the largest RSS of the last quarter against that of the first (after a minute).
awk -F, -v total="$seconds" 'NR > 1 && $1 >= 60 {
        if ($1 < 60 + (total - 60) / 4) first = $3 > first ? $3 : first
        if ($1 >= total - (total - 60) / 4) last = $3 > last ? $3 : last
        cpu += $4; n++
        rss_min = (rss_min == "" || $3 < rss_min) ? $3 : rss_min; rss_max = $3 > rss_max ? $3 : rss_max
    }
    END {
        printf "samples %d, RSS %d-%d KB, first quarter max %d KB, last quarter max %d KB, mean CPU %.1f %%\n",
            n, rss_min, rss_max, first, last, cpu / n
        exit (first > 0 && last > first * 1.10)
    }' "$csv" || e2e_fail "memory grew by more than 10 %"
echo "soak passed: $seconds s, $starts starts of the game"
