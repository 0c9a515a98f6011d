#!/usr/bin/env bash
# The fuzzing stage: builds the libFuzzer targets (clang++ with AddressSanitizer
# and UndefinedBehaviorSanitizer), makes the seed corpus with the test image
# builder, adds the real images beside the repository when they are there, and
# runs both targets at once for a bounded time. Fails on any finding: a crash, a
# sanitizer report, an input slower than the time limit, too much memory, or a
# target's own check (a wrong answer, an unexpected output file).
#
#   bash fuzz/run-fuzzers.sh [SECONDS]    (per target; default 60)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
jobs=$(nproc 2>/dev/null || echo 2)
build=build/fuzz
seconds_per_input=5
rss_limit_mb=2048
# Inputs of up to 256 KiB: the sparse seeds hold a whole set in 141 KB, and larger
# inputs cost more time per run than they add (bigger seeds are cut to this).
max_len=262144
targets=(fuzz_run fuzz_image)

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DQUELT_FUZZ=ON -DQUELT_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j "$jobs" --target "${targets[@]}" make_fuzz_corpus

seeds="$build/seeds"
rm -rf "$seeds"
mkdir -p "$seeds"
"$build/fuzz/make_fuzz_corpus" "$seeds"
# The real images are used where they lie: linked into the seeds, never copied.
real=../shared/testdata/d88
if [ -d "$real" ]; then
    real=$(cd "$real" && pwd)
    for image in "$real"/*.d88 "$real"/*.d77; do
        if [ -f "$image" ]; then
            ln -s "$image" "$seeds/real-$(basename "$image")"
        fi
    done
fi
echo "seed corpus: $(ls "$seeds" | wc -l) images in $seeds"

run_target() {
    local target=$1
    local corpus="$build/corpus-$target"
    local findings="$build/findings-$target"
    rm -rf "$corpus" "$findings"
    mkdir -p "$corpus" "$findings"
    "$build/fuzz/$target" -max_total_time="$seconds" -timeout="$seconds_per_input" \
        -rss_limit_mb="$rss_limit_mb" -max_len="$max_len" -print_final_stats=1 \
        -artifact_prefix="$findings/" "$corpus" "$seeds" >"$build/$target.log" 2>&1
}

# Executions, coverage and features reached, from libFuzzer's log.
report() {
    local log="$build/$1.log"
    local last runs slowest rss
    last=$(grep -E '^#[0-9]+' "$log" | tail -n 1 || true)
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    slowest=$(sed -n 's/^stat::slowest_unit_time_sec: *//p' "$log")
    rss=$(sed -n 's/^stat::peak_rss_mb: *//p' "$log")
    echo "$1: ${runs:-?} executions, $(grep -oE 'cov: [0-9]+' <<<"$last"), $(grep -oE 'ft: [0-9]+' <<<"$last"), slowest input ${slowest:-?} s, peak RSS ${rss:-?} MB"
}

pids=()
for target in "${targets[@]}"; do
    run_target "$target" &
    pids+=($!)
done
status=0
for i in "${!targets[@]}"; do
    target=${targets[$i]}
    if ! wait "${pids[$i]}" || [ -n "$(ls -A "$build/findings-$target")" ]; then
        status=1
        echo "== $target found something; the end of its log ($build/$target.log):"
        tail -n 60 "$build/$target.log"
        echo "== inputs kept in $build/findings-$target (run one with $build/fuzz/$target FILE):"
        ls "$build/findings-$target"
    fi
done
for target in "${targets[@]}"; do
    report "$target"
done
exit "$status"
