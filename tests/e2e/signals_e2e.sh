# SIGTERM, SIGINT and SIGHUP end the game the way its close button does, in the
# intro, on the menu, in play and in the quit box: exit code 0 (130 for SIGINT),
# never a signal or a core, and config.dat and hiscore.dat as they were. Each
# signal goes as soon as its screen shows; six X servers share the 120 tries,
# and the starts skip what leaving does not need (E2E_LIGHT in lib.sh).
E2E_LIGHT=1
source "$(dirname "$0")/lib.sh"
TRIES=${SIGNAL_TRIES:-10}
ulimit -c unlimited

go_intro() { :; }
go_menu() { e2e_skip_intro; }
go_play() { go_menu; e2e_play ""; }
go_quit_box() { go_play; e2e_press_until Escape "no quit box after ESC" e2e_quit_box; }

# signal_once SIG SCREEN TRY: a start, the screen, the signal, and how the game ended (the
# launcher reads the kernel's "core dumped" bit, whatever core_pattern does with the core).
signal_once() {
    local want="exit 0" what="SIG$1 in the $2, try $3" status
    [[ $1 == INT ]] && want="exit 130"
    rm -f "$E2E_WORK"/status* "$E2E_WORK"/core*
    e2e_start
    "go_$2"
    kill -"$1" "$(<"$E2E_WORK/status.pid")"
    e2e_wait 5 "$what: still running 5 s later" '[[ -s $E2E_WORK/status ]]'
    e2e_expect_exit 5 0 "of the launcher"
    status=$(<"$E2E_WORK/status")
    [[ "$status" == "$want" ]] || e2e_fail "$what: $status: $(tail -n2 "$E2E_WORK/out.txt")"
    ! compgen -G "$E2E_WORK/core*" >/dev/null || e2e_fail "$what: a core file"
    [[ "$(cat "$E2E_WORK/config.dat" "$E2E_WORK/hiscore.dat" | md5sum)" == "$files" ]] ||
        e2e_fail "$what: config.dat or hiscore.dat changed"
}

# worker SIG SCREEN SCREEN PESKO DATA: its own X server and game folder, the files made by a
# first start, then SIG on each screen TRIES times.
worker() {
    local sig=$1 screens=("$2" "$3") screen n
    shift 3
    e2e_setup "$@"
    e2e_start; e2e_skip_intro; kill -TERM "$E2E_PID"; e2e_expect_exit 5 0 "after SIGTERM"
    files=$(cat "$E2E_WORK/config.dat" "$E2E_WORK/hiscore.dat" | md5sum)
    printf '#!/bin/sh\nexec %s/tool launch %s/status %s "$@"\n' "$E2E_WORK" "$E2E_WORK" "$E2E_PESKO" >"$E2E_WORK/launched"
    chmod +x "$E2E_WORK/launched"
    E2E_PESKO=$E2E_WORK/launched
    for screen in "${screens[@]}"; do
        for ((n = 1; n <= TRIES; n++)); do signal_once "$sig" "$screen" "$n"; done
        e2e_log "SIG$sig in the $screen: $TRIES of $TRIES ended as they should, no core, files unchanged"
    done
    [[ $sig == INT && ${screens[1]} == menu ]] || return 0
    # Started the shell's way, in the background, the game keeps SIGINT ignored.
    E2E_PESKO=$E2E_WORK/pesko
    e2e_start
    go_menu
    kill -INT "$E2E_PID"
    sleep 1
    e2e_running
    kill -TERM "$E2E_PID"
    e2e_expect_exit 5 0 "after SIGTERM"
    e2e_log "SIGINT ignored from the start stays ignored"
}

pids=()
for sig in TERM INT HUP; do
    for screens in "quit_box intro" "play menu"; do
        # shellcheck disable=SC2086
        (worker "$sig" $screens "$@") &
        pids+=($!)
    done
done
failed=0
for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
((failed == 0)) || e2e_fail "a signal did not end the game cleanly"
echo "signals e2e passed (core_pattern: $(cat /proc/sys/kernel/core_pattern))"
