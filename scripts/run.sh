#!/usr/bin/env bash
# Builds what is needed and runs Tarvelle. On a reachable display it simply runs there; with no
# display it starts the virtual X session, runs the program in it and saves a screenshot.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh" >&2

if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
    exec "$root/build/tarvelle" "$@"
fi

# `eval` of an empty text succeeds: a session that failed to start must stop the script here.
if ! session="$("$root/scripts/xsession.sh" start)" || [[ -z "$session" ]]; then
    echo "run: the virtual X session did not start: no display to run Tarvelle on" >&2
    exit 1
fi
eval "$session"
if [[ -z "${DISPLAY:-}" ]]; then
    echo "run: the virtual X session gave no display to run Tarvelle on" >&2
    exit 1
fi
export DISPLAY
setsid "$root/build/tarvelle" "$@" >"$root/build/tarvelle.log" 2>&1 </dev/null &
pid=$!

# A copy already running in the session brings itself forward and this one ends: look for
# the window of whichever copy owns it.
if ! timeout 20 xdotool search --sync --onlyvisible --name '^Tarvelle$' >/dev/null; then
    echo "run: no Tarvelle window appeared within 20 s (log: build/tarvelle.log)" >&2
    exit 1
fi
# The start-up has finished painting once two pictures in a row are the same.
shot="$root/build/screenshot.png"
previous="$root/build/screenshot-previous.png"
rm -f "$previous"
for ((tries = 0; tries < 100; tries++)); do
    "$root/build/tarvelle_xshot" "$shot"
    [[ -s "$shot" && -f "$previous" ]] && cmp -s "$shot" "$previous" && break
    cp -f "$shot" "$previous" 2>/dev/null || true
    sleep 0.2 # polling step
done
rm -f "$previous"
# The main window alone, with a margin of desktop around it.
for id in $(xdotool search --onlyvisible --name '^Tarvelle$'); do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    if [ "$WIDTH" = 277 ]; then
        "$root/build/tarvelle_xshot" "$root/build/screenshot-window.png" \
            "$((X - 12)),$((Y - 12)),$((WIDTH + 24)),$((HEIGHT + 24))"
    fi
done

if kill -0 "$pid" 2>/dev/null; then
    echo "Tarvelle runs on DISPLAY=$DISPLAY (pid $pid), in a virtual X session."
else
    echo "Tarvelle was already running on DISPLAY=$DISPLAY, in a virtual X session."
fi
echo "Screenshot: $shot (the main window alone: build/screenshot-window.png)"
echo "Stop the session (and the program with it): scripts/xsession.sh stop"
