#!/usr/bin/env bash
# Runs one libFuzzer target for a set time: seeds from the committed corpus (read only), new
# inputs and any crashing input into a work folder, final figures at the end of the output.
# Usage: run_fuzzer.sh BINARY SECONDS SEED_DIR WORK_DIR [extra libFuzzer flags...]
set -euo pipefail
binary=$1 seconds=$2 seeds=$3 work=$4
shift 4
mkdir -p "$work/corpus" "$work/artifacts"
dict=()
name=$(basename "$seeds")
here=$(cd "$(dirname "$0")" && pwd)
[[ -f $here/dict/$name.dict ]] && dict=(-dict="$here/dict/$name.dict")
# -timeout: one input taking seconds is a hang worth reporting; -rss_limit_mb keeps a runaway
# allocation from taking the machine down.
exec "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" "${dict[@]}" "$@" "$work/corpus" "$seeds"
