#!/usr/bin/env bash
# The probe benchmark (bench_probe) in a virtual X session of its own, with openbox as window
# manager, stopped again at the end. Extra arguments go to Google Benchmark, for instance
#   bench/probe.sh --benchmark_repetitions=5
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh" >/dev/null

work="$(mktemp -d)"
export TARVELLE_XSESSION_STATE="$work/xsession.state"
trap '"$root/scripts/xsession.sh" stop; rm -rf "$work"' EXIT
eval "$("$root/scripts/xsession.sh" start)"
export DISPLAY
"$root/build/bench/bench_probe" "$@"
