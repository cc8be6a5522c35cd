# SIGTERM, SIGINT and SIGHUP end the game the way its close button does, in the
# intro, on the menu, in play and in the quit box: exit code 0 (130 for SIGINT),
# never a signal or a core, and config.dat and hiscore.dat as they were.
# Four X servers at once, one for each screen, keep the 120 tries short.
source "$(dirname "$0")/lib.sh"
TRIES=${SIGNAL_TRIES:-10}
ulimit -c unlimited
# A core_pattern that pipes the core to a program leaves no file: the launcher
# below reads the kernel's own "core dumped" bit from the wait status as well.
core_pattern=$(cat /proc/sys/kernel/core_pattern)

# Starts the game with SIGINT at its default (a shell gives a background job
# SIGINT ignored, which the game must then keep ignoring), and writes the way it
# ended to FILE: "exit N", or "signal N" with " core" when a core was dumped.
make_launcher() {
    cat > "$1.c" <<'C'
#include <signal.h>
#include <stdio.h>
#include <sys/wait.h>
#include <unistd.h>
int main(int argc, char** argv)
{
    (void)argc;
    signal(SIGINT, SIG_DFL);
    pid_t pid = fork();
    if (pid == 0) {
        execv(argv[2], argv + 2);
        _exit(127);
    }
    char name[4096];
    snprintf(name, sizeof name, "%s.pid", argv[1]);
    FILE* f = fopen(name, "w");
    fprintf(f, "%d\n", (int)pid);
    fclose(f);
    int status = 0;
    waitpid(pid, &status, 0);
    f = fopen(argv[1], "w");
    if (WIFEXITED(status))
        fprintf(f, "exit %d\n", WEXITSTATUS(status));
    else
        fprintf(f, "signal %d%s\n", WTERMSIG(status), WCOREDUMP(status) ? " core" : "");
    fclose(f);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
C
    cc -o "$1" "$1.c" || e2e_fail "cannot build the launcher"
}

# Holds a key just longer than the slowest key reading of the screens passed (110 ms).
tap() { xdotool keydown "$1"; sleep 0.12; xdotool keyup "$1"; sleep 0.05; }
wait_for() { local i; for i in $(seq 50); do eval "$1" && return 0; sleep 0.1; done; e2e_fail "$2"; }
green_hud() { (($(e2e_count_colour "$(e2e_shot s.png)" 0 0 640 24 00FF00) > 100)); }
on_menu() { (($(e2e_count_colour "$(e2e_shot s.png)" 200 140 240 60 FF0000) > 50)); }
in_quit_box() { (($(e2e_count_colour "$(e2e_shot s.png)" 225 145 190 195 0000E6) > 20000)); }

# The way to each screen. Screenshots cost time, so only the first try of each
# signal looks that the screen was reached; the others wait as long as it took.
look() { if ((try == 1)); then wait_for "$1" "$2"; else sleep "$3"; fi; }
go_intro() { sleep 0.3; }
go_menu() { sleep 0.3; tap space; look on_menu "no menu" 0.5; }
go_play() { go_menu; tap Return; sleep 0.4; tap Return; look green_hud "no game in play" 0.6; }
go_quit_box() { go_play; tap Escape; look in_quit_box "no quit box" 0.2; }

# One screen: the files made by a first start, then every signal TRIES times.
run_screen() {
    local screen=$1 pesko=$2 data=$3 sig try status files
    e2e_setup "$pesko" "$data"
    make_launcher "$E2E_WORK/launch"
    printf '#!/bin/sh\nexec "%s/launch" "%s/status" "%s/pesko" "$@"\n' "$E2E_WORK" "$E2E_WORK" "$E2E_WORK" \
        > "$E2E_WORK/launched"
    chmod +x "$E2E_WORK/launched"
    E2E_PESKO=$E2E_WORK/launched
    e2e_start; e2e_skip_intro; kill -TERM "$(cat "$E2E_WORK/status.pid")"; e2e_wait_exit 10 >/dev/null
    files=$(cat "$E2E_WORK/config.dat" "$E2E_WORK/hiscore.dat" | md5sum)
    for sig in TERM INT HUP; do
        local want="exit 0" slowest=0
        [[ $sig == INT ]] && want="exit 130"
        for ((try = 1; try <= TRIES; try++)); do
            rm -f "$E2E_WORK/status" "$E2E_WORK/status.pid" "$E2E_WORK"/core*
            e2e_start
            "go_$screen"
            local sent=$(date +%s%N) i
            kill -"$sig" "$(cat "$E2E_WORK/status.pid")"
            for i in $(seq 250); do [[ -s "$E2E_WORK/status" ]] && break; sleep 0.02; done
            [[ -s "$E2E_WORK/status" ]] || e2e_fail "SIG$sig in the $screen, try $try: still running 5 s later"
            slowest=$(( (($(date +%s%N) - sent) / 1000000) > slowest ? ($(date +%s%N) - sent) / 1000000 : slowest ))
            e2e_wait_exit 5 >/dev/null
            status=$(cat "$E2E_WORK/status")
            [[ "$status" == "$want" ]] || e2e_fail "SIG$sig in the $screen, try $try: $status: $(tail -n2 "$E2E_WORK/out.txt")"
            compgen -G "$E2E_WORK/core*" >/dev/null && e2e_fail "SIG$sig in the $screen, try $try: a core file"
            [[ "$(cat "$E2E_WORK/config.dat" "$E2E_WORK/hiscore.dat" | md5sum)" == "$files" ]] ||
                e2e_fail "SIG$sig in the $screen, try $try: config.dat or hiscore.dat changed"
        done
        e2e_log "SIG$sig in the $screen: $TRIES times $want, the slowest $slowest ms after the signal"
    done
    [[ $screen == menu ]] || return 0
    # Started the shell's way, in the background, the game keeps SIGINT ignored.
    E2E_PESKO=$E2E_WORK/pesko
    e2e_start
    go_menu
    kill -INT "$E2E_PID"
    sleep 1
    kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "a SIGINT the game was started with ignored ended it"
    kill -TERM "$E2E_PID"
    e2e_expect_exit 5 0 "after SIGTERM"
    e2e_log "SIGINT ignored from the start stays ignored"
}

pids=()
for screen in intro menu play quit_box; do
    (run_screen "$screen" "$@") &
    pids+=($!)
done
failed=0
for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
((failed == 0)) || e2e_fail "a signal did not end the game cleanly"
echo "signals e2e passed (core_pattern: $core_pattern)"
