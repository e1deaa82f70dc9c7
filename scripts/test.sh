#!/usr/bin/env bash
# Builds the program in build/ (Release; everything there, benchmarks included, when
# TARVELLE_TEST_BENCH=1) and checks that it starts and ends cleanly in a virtual X session; then
# builds build-asan/ (AddressSanitizer + UndefinedBehaviorSanitizer) and runs every test there
# once through ctest, one entry per test file spread over the cores: the unit and ui (offscreen)
# tests, and the x11 and e2e tests on two virtual X sessions that this script starts and always
# stops again, one test at a time on each.
# Exits non-zero on any failure; the last line sums up the start check and the tests the way
# ctest does.
set -uo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

release_targets=(tarvelle)
[[ "${TARVELLE_TEST_BENCH:-0}" == 1 ]] && release_targets=()
"$root/scripts/setup.sh" "${release_targets[@]}" || {
    echo "test: the build in build/ failed" >&2
    exit 1
}
"$root/scripts/setup.sh" --asan || {
    echo "test: the build in build-asan/ failed" >&2
    exit 1
}

total=0
failed=0
status=0

# Runs ctest in a build folder and adds its counts to the totals.
run_ctest() {
    local dir="$1"
    shift
    local log
    log="$(mktemp)"
    (cd "$dir" && ctest --output-on-failure "$@") 2>&1 | tee "$log"
    local rc="${PIPESTATUS[0]}"
    local summary
    summary="$(grep -E '^[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+$' "$log" | tail -1)"
    rm -f "$log"
    ((rc == 0)) || status=1
    if [[ "$summary" =~ ([0-9]+)\ tests\ failed\ out\ of\ ([0-9]+) ]]; then
        failed=$((failed + BASH_REMATCH[1]))
        total=$((total + BASH_REMATCH[2]))
    elif ((rc != 0)); then
        echo "test: ctest in $dir ended without a summary" >&2
    fi
}

# A fault stops the sanitized program with a report on its error output and a non-zero status;
# the e2e tests fail on both. Leaks are looked for at every normal end.
lsan_supp="$root/tests/support/lsan.supp"
sanitized() {
    ASAN_OPTIONS="halt_on_error=1:print_stacktrace=1:detect_leaks=1" \
        UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1" \
        LSAN_OPTIONS="suppressions=$lsan_supp:print_suppressions=0" \
        "$@"
}

# Sessions of their own, apart from one that scripts/run.sh may have left running.
sessions=(0 1)
xsession() {
    local n="$1"
    shift
    # A folder each: the session keeps its logs beside its state file.
    TARVELLE_XSESSION_STATE="$root/build-asan/xsession-test-$n/state" \
        "$root/scripts/xsession.sh" "$@"
}
stop_sessions() {
    local n
    for n in "${sessions[@]}"; do xsession "$n" stop; done
}
trap stop_sessions EXIT
trap 'exit 130' INT TERM

# Each session's DISPLAY and bus, named by its number for tests/support/on_display.sh.
start_sessions() {
    local n exports
    for n in "${sessions[@]}"; do
        exports="$(xsession "$n" start)" || return 1
        local DISPLAY="" DBUS_SESSION_BUS_ADDRESS=""
        eval "$exports"
        [[ -n "$DISPLAY" ]] || return 1
        export "TARVELLE_DISPLAY_$n=$DISPLAY" "TARVELLE_BUS_$n=$DBUS_SESSION_BUS_ADDRESS"
    done
}

# A child that ended stays a zombie until it is waited for: only its state tells.
runs() {
    local stat
    stat="$(cat "/proc/$1/stat" 2>/dev/null)" || return 1
    stat="${stat##*) }"
    [[ "${stat%% *}" != Z ]]
}

# The Release program, started as a user would with the settings file of a new installation:
# its main window must show, and SIGTERM must end it with status 0.
smoke_start() {
    local home pid window tries code ok=0
    home="$(mktemp -d)"
    mkdir -m 700 "$home/runtime" "$home/tmp"
    cp "$root/build/ConfigMnemo.ini" "$home/"
    TARVELLE_HOME="$home" XDG_RUNTIME_DIR="$home/runtime" TMPDIR="$home/tmp" \
        DISPLAY="$TARVELLE_DISPLAY_0" DBUS_SESSION_BUS_ADDRESS="$TARVELLE_BUS_0" \
        setsid "$root/build/tarvelle" >"$root/build/smoke-start.log" 2>&1 </dev/null &
    pid=$!
    window="$(DISPLAY="$TARVELLE_DISPLAY_0" timeout 60 xdotool search --sync --onlyvisible \
        --pid "$pid" --name '^Tarvelle$' 2>/dev/null | head -1)"
    if [[ -n "$window" ]]; then
        kill -TERM "$pid"
        tries=300 # 0.1 s steps
        while ((tries-- > 0)) && runs "$pid"; do sleep 0.1; done
        if runs "$pid"; then
            echo "test: the Release program did not end within 30 s of SIGTERM" >&2
        else
            ok=1
        fi
    else
        echo "test: the Release program showed no main window within 60 s" >&2
    fi
    runs "$pid" && kill -KILL "$pid"
    wait "$pid"
    code=$?
    if ((ok && code != 0)); then
        echo "test: the Release program ended with status $code on SIGTERM" >&2
        ok=0
    fi
    rm -rf "$home"
    total=$((total + 1))
    if ((ok)); then
        echo "Release start: passed"
    else
        echo "Release start: failed (log: build/smoke-start.log)"
        failed=$((failed + 1))
        status=1
    fi
}

jobs="$(nproc)"
if start_sessions; then
    smoke_start
    displays="$root/build-asan/displays.json"
    ids="$(printf '{"id": "%s", "slots": 1},' "${sessions[@]}")"
    printf '{"version": {"major": 1, "minor": 0}, "local": [{"display": [%s]}]}\n' \
        "${ids%,}" >"$displays"
    sanitized run_ctest "$root/build-asan" --parallel "$jobs" --resource-spec-file "$displays"
else
    echo "test: the virtual X sessions did not start: no x11 or e2e test ran" >&2
    status=1
    sanitized run_ctest "$root/build-asan" --parallel "$jobs" --label-regex '^(unit|ui)$'
fi
stop_sessions

if ((total == 0)); then
    echo "test: no test ran" >&2
    exit 1
fi
((failed == 0)) || status=1
passed=$((total - failed))
# ctest's rounding: to the nearest integer, but never 100 % while a test failed.
percent=$(((passed * 200 + total) / (2 * total)))
((failed > 0 && percent > 99)) && percent=99
echo
echo "$percent% tests passed, $failed tests failed out of $total"
exit "$status"
