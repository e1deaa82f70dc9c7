#!/usr/bin/env bash
# Start-up time (launch to main window mapped) and resident memory after start of Tarvelle,
# against the floor: a bare Qt 6 Widgets program showing one frameless 277x116 window, built the
# same way. Medians of 10 runs each, on a private Xvfb without window manager, with a private
# session bus and a runtime folder in memory as a desktop session has. Run by hand.
#   bench/startup.sh [RUNS]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
runs="${1:-10}"
"$root/scripts/setup.sh" >/dev/null

work="$(mktemp -d)"
# XDG_RUNTIME_DIR is a memory file system in a desktop session; on a disk the single-instance
# lock's sync would be measured instead of the program.
shm="$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)"
bus_pid=""
cleanup() {
    [[ -n "$bus_pid" ]] && kill "$bus_pid" 2>/dev/null
    "$root/scripts/xsession.sh" stop
    rm -rf "$work" "$shm"
}
export TARVELLE_XSESSION_STATE="$work/xsession.state"
trap cleanup EXIT
eval "$("$root/scripts/xsession.sh" start --bare)"
export DISPLAY
# Without a session bus, Qt's accessibility bridge would try to launch one at the first label.
{
    read -r DBUS_SESSION_BUS_ADDRESS
    read -r bus_pid
} < <(dbus-daemon --session --fork --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS

probe="$root/build/bench/startup_probe"
# Each start gets a fresh program folder and runtime folder, as a first start on a machine would.
measure() {
    local name="$1"
    shift
    local home runtime
    home="$(mktemp -d "$work/home.XXXXXX")"
    runtime="$(mktemp -d "$shm/runtime.XXXXXX")"
    # The program comes with its settings file; without it a message would come first.
    cp "$root/build/ConfigMnemo.ini" "$home/"
    TARVELLE_HOME="$home" XDG_RUNTIME_DIR="$runtime" "$probe" "$@" >>"$work/$name"
}

# One unrecorded start each, so that no run pays for a cold disk cache.
measure warmup "$root/build/tarvelle"
measure warmup "$root/build/bench/floor_window"
for ((i = 0; i < runs; i++)); do
    measure tarvelle "$root/build/tarvelle"
    measure floor "$root/build/bench/floor_window"
done

median() { # FILE COLUMN [FORMAT]: median of a column of numbers
    sort -g -k "$2" "$1" | awk -v c="$2" -v f="${3:-%.1f}" '{ v[NR] = $c } END {
        printf f, (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
t_ms="$(median "$work/tarvelle" 1)" t_kb="$(median "$work/tarvelle" 2)"
f_ms="$(median "$work/floor" 1)" f_kb="$(median "$work/floor" 2)"
printf '%-10s %12s %12s   (median of %d runs)\n' "" "start-up ms" "RSS KiB" "$runs"
printf '%-10s %12s %12s\n' tarvelle "$t_ms" "$t_kb" floor "$f_ms" "$f_kb"
awk -v a="$t_ms" -v b="$f_ms" -v c="$t_kb" -v d="$f_kb" \
    'BEGIN { printf "%-10s %12.2f %12.2f\n", "ratio", a / b, c / d }'
# The runs go in pairs, one right after the other: the median of the pairs' ratios is less
# shaken by a machine whose load changes during the measurement.
paste -d ' ' "$work/tarvelle" "$work/floor" | awk '{ print $1 / $3, $2 / $4 }' >"$work/pairs"
printf '%-10s %12s %12s\n' "pairs" "$(median "$work/pairs" 1 %.2f)" "$(median "$work/pairs" 2 %.3f)"
# The middle half of the pairs' start-up ratios: how far single starts stray on a shared machine,
# and so how much a median of few runs can move.
sort -g -k 1 "$work/pairs" | awk '{ v[NR] = $1 } END {
    printf "%-10s %12s\n", "quartiles", sprintf("%.2f-%.2f", v[int((NR + 3) / 4)], v[int((3 * NR + 3) / 4)]) }'
