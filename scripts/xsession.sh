#!/usr/bin/env bash
# The virtual X session: Xvfb, openbox as window manager, trayer as tray host and a private
# session bus, so that Qt never has to launch one of its own.
#   scripts/xsession.sh start [--bare]   start it (--bare: Xvfb alone) and print the `export`
#                                        lines of DISPLAY and, unless bare, the session bus
#   scripts/xsession.sh stop             stop exactly the processes that `start` recorded
#   scripts/xsession.sh status           say whether it runs (exit 0) or not (exit 1)
# TARVELLE_XSESSION_STATE chooses the state file, so that several sessions can live side by side.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
state="${TARVELLE_XSESSION_STATE:-$root/build/xsession.state}"
logdir="$(dirname "$state")"
first_display=91
ready_timeout=15 # seconds, for each of the three programs

die() {
    echo "xsession: $*" >&2
    exit 1
}

# Polls a command until it succeeds; 0.1 s steps, bounded by ready_timeout.
wait_for() {
    local what="$1" pid="$2"
    shift 2
    local tries=$((ready_timeout * 10))
    while ((tries-- > 0)); do
        "$@" >/dev/null 2>&1 && return 0
        running "$pid" || {
            echo "xsession: $what ended during start-up" >&2
            return 1
        }
        sleep 0.1
    done
    echo "xsession: $what not ready after ${ready_timeout}s" >&2
    return 1
}

# Not a zombie waiting for a parent that never reaps it. Just after the start the name may still
# be the shell's or setsid's, so this looks at the state alone.
running() {
    local stat
    stat="$(cat "/proc/$1/stat" 2>/dev/null)" || return 1
    stat="${stat##*) }"
    [[ "${stat%% *}" != Z ]]
}

# A recorded pid counts only while it still runs the program it was recorded for, as itself or
# still as `setsid NAME`: a pid can be reused once the program is gone.
alive() {
    local pid="$1" name="$2"
    running "$pid" &&
        { tr '\0' '\n' <"/proc/$pid/cmdline"; } 2>/dev/null | grep -qxE "(.*/)?$name"
}

read_state() {
    display="" xvfb_pid="" openbox_pid="" trayer_pid="" bus_pid="" bus_address=""
    [[ -f "$state" ]] || return 1
    # shellcheck disable=SC1090
    source "$state"
}

session_alive() {
    read_state || return 1
    alive "$xvfb_pid" Xvfb || return 1
    [[ -z "$openbox_pid" ]] || alive "$openbox_pid" openbox || return 1
    [[ -z "$trayer_pid" ]] || alive "$trayer_pid" trayer || return 1
    [[ -z "$bus_pid" ]] || alive "$bus_pid" dbus-daemon || return 1
}

display_free() {
    local n="$1"
    [[ ! -e "/tmp/.X$n-lock" && ! -e "/tmp/.X11-unix/X$n" ]]
}

# Starts Xvfb on the first free display from :91 on; another server may take a number between
# the check and the start, so a failed start moves on to the next one.
start_xvfb() {
    local n
    for ((n = first_display; n < first_display + 100; n++)); do
        display_free "$n" || continue
        setsid Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp -noreset \
            >"$logdir/xvfb.log" 2>&1 </dev/null &
        xvfb_pid=$!
        if wait_for Xvfb "$xvfb_pid" xdpyinfo -display ":$n"; then
            display=":$n"
            return 0
        fi
        kill "$xvfb_pid" 2>/dev/null || true
    done
    die "no free display found from :$first_display on"
}

# xprop succeeds even while the property is missing: the manager is up once it names its window.
wm_ready() {
    xprop -display "$display" -root -notype _NET_SUPPORTING_WM_CHECK | grep -q 'window id'
}

write_state() {
    cat >"$state" <<EOF
display=$display
xvfb_pid=$xvfb_pid
openbox_pid=$openbox_pid
trayer_pid=$trayer_pid
bus_pid=$bus_pid
bus_address='$bus_address'
EOF
}

# What a shell needs to reach the session.
print_exports() {
    echo "export DISPLAY=$display"
    [[ -z "$bus_address" ]] || echo "export DBUS_SESSION_BUS_ADDRESS='$bus_address'"
}

# A bus of the session's own: without one, Qt forks dbus-launch at its first control, which
# can leave a stuck process behind.
start_bus() {
    local out
    out="$(dbus-daemon --session --fork --nopidfile --print-address=1 --print-pid=1 \
        </dev/null 2>"$logdir/dbus.log")" || return 1
    bus_address="$(sed -n 1p <<<"$out")"
    bus_pid="$(sed -n 2p <<<"$out")"
    [[ -n "$bus_address" && -n "$bus_pid" ]]
}

start() {
    local bare=0
    [[ "${1:-}" == "--bare" ]] && bare=1
    if session_alive; then
        print_exports
        return 0
    fi
    stop # whatever is left of an earlier session that lost a part
    mkdir -p "$logdir"
    openbox_pid="" trayer_pid="" bus_pid="" bus_address=""
    start_xvfb
    write_state
    if ((!bare)); then
        start_bus || fail_start
        write_state
        DISPLAY="$display" setsid openbox --sm-disable >"$logdir/openbox.log" 2>&1 </dev/null &
        openbox_pid=$!
        write_state
        wait_for openbox "$openbox_pid" wm_ready || fail_start
        DISPLAY="$display" setsid trayer --edge bottom --align right --widthtype request \
            --height 24 --transparent false >"$logdir/trayer.log" 2>&1 </dev/null &
        trayer_pid=$!
        write_state
        wait_for trayer "$trayer_pid" env DISPLAY="$display" xdotool search --onlyvisible \
            --class '^trayer$' ||
            fail_start
    fi
    print_exports
}

fail_start() {
    stop
    die "could not start the session (logs in $logdir)"
}

stop() {
    read_state || return 0
    local name pid
    # The clients first, the server last, each only if it is still the program recorded.
    for name in trayer openbox dbus-daemon Xvfb; do
        case "$name" in
        dbus-daemon) pid="$bus_pid" ;;
        trayer) pid="$trayer_pid" ;;
        openbox) pid="$openbox_pid" ;;
        Xvfb) pid="$xvfb_pid" ;;
        esac
        if [[ -z "$pid" ]] || ! alive "$pid" "$name"; then
            continue
        fi
        kill "$pid" 2>/dev/null || true
        local tries=50
        while ((tries-- > 0)) && alive "$pid" "$name"; do sleep 0.1; done
        if alive "$pid" "$name"; then
            kill -9 "$pid" 2>/dev/null || true
        fi
    done
    rm -f "$state"
}

status() {
    if session_alive; then
        echo "running on DISPLAY=$display (Xvfb $xvfb_pid${openbox_pid:+, openbox $openbox_pid}${trayer_pid:+, trayer $trayer_pid}${bus_pid:+, bus $bus_pid})"
        return 0
    fi
    echo "not running"
    return 1
}

case "${1:-}" in
start) start "${2:-}" ;;
stop) stop ;;
status) status ;;
*) die "usage: $0 start [--bare]|stop|status" ;;
esac
