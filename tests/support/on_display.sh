#!/usr/bin/env bash
# Runs a test on the virtual X session that ctest gave it. The test command names its sessions
# in TARVELLE_DISPLAY_<n> and TARVELLE_BUS_<n> and lets ctest hand out their ids as resources;
# run without a resource, the test stays on the session of the calling shell. Either way a lock
# per display lets one test at a time use its pointer, focus and clipboard.
set -euo pipefail

group="${CTEST_RESOURCE_GROUP_0_DISPLAY:-}"
if [[ -n "$group" ]]; then
    id="${group#id:}"
    id="${id%%,*}"
    display_var="TARVELLE_DISPLAY_$id"
    bus_var="TARVELLE_BUS_$id"
    if [[ -z "${!display_var:-}" ]]; then
        echo "on_display: no session named $display_var" >&2
        exit 1
    fi
    export DISPLAY="${!display_var}"
    if [[ -n "${!bus_var:-}" ]]; then
        export DBUS_SESSION_BUS_ADDRESS="${!bus_var}"
    else
        unset DBUS_SESSION_BUS_ADDRESS
    fi
fi
if [[ -z "${DISPLAY:-}" ]]; then
    exec "$@" # the test says what it misses
fi
lock="${TMPDIR:-/tmp}/tarvelle-tests-display-${DISPLAY//[^0-9A-Za-z.]/_}.lock"
exec flock "$lock" "$@"
