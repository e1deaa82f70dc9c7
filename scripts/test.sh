#!/usr/bin/env bash
# Builds everything and runs every test through ctest, in build/ and again in build-asan/ under
# AddressSanitizer + UndefinedBehaviorSanitizer: the unit and ui (offscreen) tests, then the x11
# and e2e tests in a virtual X session that this script starts and always stops again.
# Exits non-zero on any failure; the last line sums up all runs the way ctest does.
set -uo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/scripts/setup.sh" || {
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

jobs="$(nproc)"
run_ctest "$root/build" --parallel "$jobs" --label-exclude 'x11|e2e'
sanitized run_ctest "$root/build-asan" --parallel "$jobs" --label-regex '^(unit|ui)$'

# A session of its own, apart from one that scripts/run.sh may have left running.
xsession() { TARVELLE_XSESSION_STATE="$root/build/xsession-test.state" "$root/scripts/xsession.sh" "$@"; }
trap 'xsession stop' EXIT
trap 'exit 130' INT TERM
if session="$(xsession start)"; then
    # Tests on the display share its pointer, focus and windows: one at a time. Both labels run
    # sanitized too: the x11 tests drive the probe's raw X calls and buffers, the e2e tests the
    # whole program.
    eval "$session"
    run_ctest "$root/build" --label-regex 'x11|e2e'
    sanitized run_ctest "$root/build-asan" --label-regex 'x11|e2e'
    unset DISPLAY DBUS_SESSION_BUS_ADDRESS
else
    status=1
fi
xsession stop

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
