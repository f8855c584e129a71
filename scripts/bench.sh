#!/usr/bin/env bash
# Runs the benchmark (tallyvox.exe against the two baseline programs) under Wine and rewrites the
# generated table of docs/performance.md. Takes about seven minutes. Usage: scripts/bench.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TALLYVOX_BENCH_BUILD_DIR:-$root/build/mingw}
bench="$build/tallyvox_bench.exe"
if [[ ! -f $bench ]]; then
    echo "bench: $bench is missing; build it first (make build)" >&2
    exit 1
fi

cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n1)
memory=$(awk '/^MemTotal/ {printf "%.0f GiB", $2 / 1048576}' /proc/meminfo)
wine_version=$(wine64 --version 2>/dev/null || /usr/lib/wine/wine64 --version 2>/dev/null || echo wine)
load=$(cut -d' ' -f1-3 /proc/loadavg)
machine="${cpu:-unknown CPU}, $(nproc) cores, $memory RAM, $(uname -sr), $wine_version, Xvfb; load average $load at the start"

TALLYVOX_EXE="$build/tallyvox.exe" TALLYVOX_WINE_BUILD_DIR="$build" \
    TALLYVOX_SOUND_READER="$build/paced_reader" \
    "$root/tests/e2e/run_under_wine.sh" "$bench" --out "$root/docs/performance.md" \
    --machine "$machine"
