#!/usr/bin/env bash
# Wake-ups of the running program: context switches of all its threads per second and CPU time,
# idle, with the notes editor, while tracing, with an alarm armed, after the about and help
# windows and with an unsaved note in the recovery journal, on a private Xvfb with a private
# session bus. Run by hand.
#   bench/wakeups.sh [SECONDS]   (60 by default, per state)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
"$root/scripts/setup.sh" >/dev/null

work="$(mktemp -d)"
export TARVELLE_XSESSION_STATE="$work/xsession.state"
cleanup() {
    "$root/scripts/xsession.sh" stop
    rm -rf "$work"
}
trap cleanup EXIT
eval "$("$root/scripts/xsession.sh" start)"
export DISPLAY

# Voluntary and involuntary switches of every thread of `pid`.
switches() {
    local pid="$1" total=0 task n
    for task in /proc/"$pid"/task/*; do
        n="$(awk '/ctxt_switches/ { s += $2 } END { print s }' "$task/status")"
        total=$((total + n))
    done
    echo "$total"
}
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# The shown window of the program of that size ("277x116").
window_of_size() {
    local pid="$1" size="$2" window
    for window in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        if xwininfo -id "$window" | grep -q -- "-geometry $size+"; then
            echo "$window"
            return
        fi
    done
}

# The about window opened from the menu's last item, its help opened, and both closed by the
# help's "E  X  I  T": what they leave behind is measured after.
about_and_help() {
    local pid="$1" window
    window="$(window_of_size "$pid" 277x116)"
    xdotool mousemove --window "$window" 224 32 click 1
    sleep 1
    xdotool key Up Return
    sleep 2
    window="$(window_of_size "$pid" 274x115)"
    xdotool mousemove --window "$window" 54 78 click 1
    sleep 2
    window="$(window_of_size "$pid" 276x115)"
    xdotool mousemove --window "$window" 251 12 click 1
    sleep 2
    if [[ -n "$(window_of_size "$pid" 274x115)$(window_of_size "$pid" 276x115)" ]]; then
        echo "wakeups: the about or help window stayed open" >&2
    fi
}

# A note typed into the subject box, and the moment the recovery journal takes to get it: what
# the journal costs once nothing changes any more is measured after.
journaled_note() {
    local pid="$1" home="$2" window
    window="$(window_of_size "$pid" 277x116)"
    xdotool mousemove --window "$window" 120 55 click 1
    xdotool type --window "$window" "mesure"
    xdotool key --window "$window" Return
    sleep 3
    if [[ ! -s "$home/Tarvelle.recup" ]]; then
        echo "wakeups: the note did not reach the recovery journal" >&2
    fi
}

# Starts the program with the given values of "Démarrage sur Traceur" and "Mnemo visible", with
# an alarm armed for late tonight, after the about and help windows, or after a journaled note,
# when asked; lets it settle, then counts over the measured time.
measure() {
    local name="$1" tracing="$2" notes="$3" alarm="${4:-0}" about="${5:-0}" note="${6:-0}" home
    home="$(mktemp -d "$work/home.XXXXXX")"
    cp "$root/build/ConfigMnemo.ini" "$home/"
    if ((alarm)); then
        printf '%s;23:59:00;mesure\r\n' "$(date +%d/%m/%Y)" >"$home/breakPoint.csv"
    fi
    perl -pi -e "s/^(D\\xe9marrage sur Traceur)=\\d/\$1=$tracing/; s/^posDefault=1/posDefault=0/;
        s/^(Mnemo visible)=\\d/\$1=$notes/" "$home/ConfigMnemo.ini"
    TARVELLE_HOME="$home" XDG_RUNTIME_DIR="$home" "$root/build/tarvelle" >/dev/null 2>&1 &
    local pid=$!
    sleep 5
    if ((about)); then
        about_and_help "$pid"
    fi
    if ((note)); then
        journaled_note "$pid" "$home"
    fi
    xdotool mousemove 200 200
    local s0 c0 s1 c1
    s0="$(switches "$pid")" c0="$(cpu_ticks "$pid")"
    sleep "$seconds"
    s1="$(switches "$pid")" c1="$(cpu_ticks "$pid")"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    local hz
    hz="$(getconf CLK_TCK)"
    awk -v n="$name" -v s=$((s1 - s0)) -v c=$((c1 - c0)) -v t="$seconds" -v hz="$hz" 'BEGIN {
        printf "%-8s %8.2f switches/s %10.1f ms CPU/min %8.3f %% CPU\n",
            n, s / t, c * 1000 / hz * 60 / t, c * 100 / hz / t }'
}

measure idle 0 0
measure notes 0 1
measure tracing 1 0
measure alarm 0 0 1
measure about 0 0 0 1
measure journal 0 0 0 0 1
