#!/usr/bin/env bash
# The clipboard benchmark (bench_clipboard) in a virtual X session of its own, stopped again at
# the end. TARVELLE_BUILD names the build folder (build/ by default, set up first); extra
# arguments go to Google Benchmark, for instance
#   bench/clipboard.sh --benchmark_repetitions=5
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${TARVELLE_BUILD:-$root/build}"
if [[ -z "${TARVELLE_BUILD:-}" ]]; then
    "$root/scripts/setup.sh" >/dev/null
fi
ninja -C "$build" bench_clipboard >/dev/null

work="$(mktemp -d)"
export TARVELLE_XSESSION_STATE="$work/xsession.state"
trap '"$root/scripts/xsession.sh" stop; rm -rf "$work"' EXIT
eval "$("$root/scripts/xsession.sh" start)"
export DISPLAY
"$build/bench/bench_clipboard" "$@"
