#!/usr/bin/env bash
# How evenly the game's frames come: flips per second, the standard deviation
# of the gaps between flips and the longest gap, over some seconds of play
# under Xvfb, read from the game's own frame log (PESKO_FRAME_LOG).
# Usage: bench/frame_pacing.sh <pesko> <data-dir> [seconds] [demo]
# With "demo" it measures the attract-mode demo instead of a game.
source "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_setup "$1" "$2"
seconds=${3:-10}
mode=${4:-game}
export PESKO_FRAME_LOG="$E2E_WORK/frames.txt"
e2e_start
e2e_skip_intro
if [[ "$mode" == demo ]]; then
    sleep 29  # the idle menu starts the demo after 28 s
else
    e2e_press Return
    sleep 1
    e2e_type FPS
    e2e_press Return
    sleep 2
fi
first=$(wc -l <"$PESKO_FRAME_LOG")
sleep "$seconds"
last=$(wc -l <"$PESKO_FRAME_LOG")
# Done measuring: the game goes, quietly.
kill "$E2E_PID"
for i in $(seq 50); do
    [[ -e "$E2E_WORK/exit_code" ]] && break
    sleep 0.1
done
sed -n "$((first + 1)),${last}p" "$PESKO_FRAME_LOG" | awk -v what="$mode" '
    NR > 1 { gap = ($1 - prev) / 1000.0; gaps[n++] = gap; sum += gap; sumsq += gap * gap; if (gap > worst) worst = gap }
    { prev = $1; if (NR == 1) start = $1 }
    END {
        if (n < 2) { print "too few frames: " n + 0; exit 1 }
        mean = sum / n
        sd = sqrt(sumsq / n - mean * mean)
        late = 0
        for (i = 0; i < n; i++) late += gaps[i] > mean + 2
        printf "%s: %d frames in %.2f s: %.1f fps, gap mean %.2f ms, std dev %.2f ms, longest %.2f ms, %d gaps over mean + 2 ms\n",
            what, n + 1, (prev - start) / 1e6, n / ((prev - start) / 1e6), mean, sd, worst, late
    }'
