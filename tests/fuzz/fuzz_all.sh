#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a set time, JOBS at a time, and prints one line of
# figures per target. Corpora grow across runs in BUILD/long/<target>/corpus; crashing inputs
# land in BUILD/long/<target>/artifacts (add them to tests/fuzz/corpus/<target>/ once fixed).
# Usage: fuzz_all.sh BUILD_DIR SECONDS JOBS
set -euo pipefail
build=$(cd "$1" && pwd) seconds=$2 jobs=$3
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$build/long"

targets=()
for binary in "$build"/*_fuzz; do
    [[ -x $binary ]] && targets+=("$(basename "$binary" _fuzz)")
done
[[ ${#targets[@]} -gt 0 ]] || { echo "fuzz_all: no *_fuzz binaries in $build" >&2; exit 1; }
echo "fuzz_all: ${targets[*]}, ${seconds}s each, $jobs at a time"

run_one() {
    local name=$1 start end status=0
    start=$(date +%s)
    "$here/run_fuzzer.sh" "$build/${name}_fuzz" "$seconds" "$here/corpus/$name" \
        "$build/long/$name" >"$build/long/$name.log" 2>&1 || status=$?
    end=$(date +%s)
    echo "$status $((end - start))" >"$build/long/$name.result"
}
export -f run_one
export build seconds here
printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c 'run_one {}'

failed=0
printf '%-10s %6s %7s %14s %8s %8s %8s %s\n' target status seconds executions cov ft corpus findings
for name in "${targets[@]}"; do
    read -r status elapsed <"$build/long/$name.result"
    log=$build/long/$name.log
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    last=$(grep -E '^#[0-9]+' "$log" | grep -E 'cov: ' | tail -n 1 || true)
    cov=$(sed -n 's/.*cov: \([0-9]*\).*/\1/p' <<<"$last")
    ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
    corpus=$(sed -n 's/.* corp: \([0-9]*\).*/\1/p' <<<"$last")
    findings=$(find "$build/long/$name/artifacts" -type f | wc -l)
    printf '%-10s %6s %7s %14s %8s %8s %8s %s\n' "$name" "$status" "$elapsed" "${execs:-?}" \
        "${cov:-?}" "${ft:-?}" "${corpus:-?}" "$findings"
    [[ $status == 0 ]] || failed=1
done
[[ $failed == 0 ]] || echo "fuzz_all: a target failed; see $build/long/<target>.log and artifacts/" >&2
exit $failed
