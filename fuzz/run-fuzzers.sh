#!/usr/bin/env bash
# The fuzzing stage: builds the libFuzzer targets (clang++ with AddressSanitizer
# and UndefinedBehaviorSanitizer), makes the seed corpora with the test image
# builder, adds the real images beside the repository when they are there, and
# runs every target at once for a bounded time. Fails on any finding: a crash, a
# sanitizer report, an input slower than the time limit, too much memory, or a
# target's own check (a wrong answer, an unexpected output file).
#
#   bash fuzz/run-fuzzers.sh [SECONDS]    (per target; default 60)
#
# tools/fuzz-campaign.sh runs the same targets for hours, by the functions here.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

jobs=$(nproc 2>/dev/null || echo 2)
build=build/fuzz
seconds_per_input=2
rss_limit_mb=2048
# Raw images: the whole run's of up to 124 KiB (two disks of the sparse seeds'
# set, or one whole; a larger input is copied by libFuzzer into memory mapped
# afresh for each run under AddressSanitizer), the reader's of up to 64 KiB
# (several disks, windows and stream chunks; large images are the structured
# target's). Bigger seeds are cut to this. The structured target's descriptions
# are short; their images are not, though its mutator keeps most of them small.
run_max_len=126976
image_max_len=65536
description_max_len=4096
# Names as text: a directory's names (48 of up to 16 bytes) and a typed name
# or path of some length fit in 1 KiB; longer inputs only slow each run.
names_max_len=256
targets=(fuzz_run fuzz_image fuzz_structured fuzz_names)

build_targets() {
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++ -DQUELT_FUZZ=ON -DQUELT_BUILD_TESTS=OFF >/dev/null
    cmake --build "$build" -j "$jobs" --target "${targets[@]}" make_fuzz_corpus
}

# The seeds, made afresh: images for the raw targets, descriptions for the other.
make_seeds() {
    seeds="$build/seeds"
    descriptions="$build/seed-descriptions"
    rm -rf "$seeds" "$descriptions"
    mkdir -p "$seeds" "$descriptions"
    "$build/fuzz/make_fuzz_corpus" "$seeds" "$descriptions"
    # The real images are used where they lie: linked into the seeds, never copied.
    local real=../shared/testdata/d88 image
    if [ -d "$real" ]; then
        real=$(cd "$real" && pwd)
        for image in "$real"/*.d88 "$real"/*.d77; do
            if [ -f "$image" ]; then
                ln -s "$image" "$seeds/real-$(basename "$image")"
            fi
        done
    fi
    echo "seed corpus: $(ls "$seeds" | wc -l) images in $seeds," \
        "$(ls "$descriptions" | wc -l) descriptions in $descriptions"
}

# The targets' scratch folders go into one memory-backed folder of this run,
# removed when the run ends: a target stopped by a finding leaves its own.
make_scratch() {
    local shm=/dev/shm
    [ -d "$shm" ] || shm=${TMPDIR:-/tmp}
    QUELT_FUZZ_SCRATCH=$(mktemp -d "$shm/quelt-fuzz.XXXXXX")
    export QUELT_FUZZ_SCRATCH
    trap 'rm -rf "$QUELT_FUZZ_SCRATCH"' EXIT
}

# The seed folder and input size limit of each target.
seeds_of() {
    if [ "$1" = fuzz_structured ]; then echo "$descriptions"; else echo "$seeds"; fi
}
max_len_of() {
    case $1 in
        fuzz_run) echo "$run_max_len" ;;
        fuzz_image) echo "$image_max_len" ;;
        fuzz_names) echo "$names_max_len" ;;
        *) echo "$description_max_len" ;;
    esac
}

# How much less of the processors each target asks for (nice's increment). The
# targets run at once on fewer cores than there are targets, and their inputs
# cost different amounts: the quicker ones give the slower ones some of their
# share, so that each runs about as many inputs a second. Measured alone on one
# core, the structured target runs some 2,100 inputs a second, the reader's
# (with its archive mode) 3,300, the whole run 5,200 and the names' 5,800;
# these shares give each some 1,700 on two cores.
niceness_of() {
    case $1 in
        fuzz_structured) echo 0 ;;
        fuzz_image) echo 2 ;;
        *) echo 4 ;;
    esac
}

# Runs TARGET for SECONDS on CORPUS (kept as it is) plus its seeds; findings go
# to FINDINGS, the log is added to LOG.
run_target() {
    local target=$1 seconds=$2 corpus=$3 findings=$4 log=$5
    mkdir -p "$corpus" "$findings"
    # Quick inputs are picked more often: the same features in more runs.
    nice -n "$(niceness_of "$target")" "$build/fuzz/$target" -max_total_time="$seconds" -timeout="$seconds_per_input" \
        -rss_limit_mb="$rss_limit_mb" -max_len="$(max_len_of "$target")" -print_final_stats=1 \
        -entropic_scale_per_exec_time=1 \
        -artifact_prefix="$findings/" "$corpus" "$(seeds_of "$target")" >>"$log" 2>&1
}

# TARGET's report line from LOG, which may hold several runs of it: their
# executions added up (a run that stopped on a finding counts to its last
# progress line), the last coverage and features, the largest of the rest.
report() {
    local target=$1 log=$2
    local last
    last=$(grep -E '^#[0-9]+' "$log" | tail -n 1 || true)
    awk -v target="$target" -v cov="$(grep -oE 'cov: [0-9]+' <<<"$last")" \
        -v ft="$(grep -oE 'ft: [0-9]+' <<<"$last")" '
        function most(name, value) { if (!(name in top) || value + 0 > top[name] + 0) top[name] = value }
        function endRun() { runs += stat != "" ? stat : progress; stat = ""; progress = 0 }
        function shown(name) { return name in top ? top[name] : "?" }
        /^INFO: Seed:/ { endRun() }
        /^#[0-9]+/ { progress = substr($1, 2) + 0; seen = 1 }
        /^stat::number_of_executed_units:/ { stat = $2; seen = 1 }
        /^stat::slowest_unit_time_sec:/ { most("slowest", $2) }
        /^stat::peak_rss_mb:/ { most("rss", $2) }
        /^stat::largest_image_bytes:/ { most("largest", $2) }
        END {
            endRun()
            printf "%s: %s executions, %s, %s, slowest input %s s, peak RSS %s MB, largest image %s bytes\n",
                target, seen ? runs : "?", cov, ft, shown("slowest"), shown("rss"), shown("largest")
        }' "$log"
}

# The command that reproduces each finding of TARGET in FINDINGS, one a line.
reproducers() {
    local target=$1 findings finding
    findings=$(cd "$2" && pwd)
    for finding in "$findings"/*; do
        if [ -f "$finding" ] && [ "$(basename "$finding")" != REPRODUCE ]; then
            echo "$PWD/$build/fuzz/$target -timeout=$seconds_per_input $finding"
        fi
    done
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    seconds=${1:-60}
    build_targets
    make_seeds
    make_scratch
    pids=()
    for target in "${targets[@]}"; do
        rm -rf "$build/corpus-$target" "$build/findings-$target" "$build/$target.log"
        run_target "$target" "$seconds" "$build/corpus-$target" "$build/findings-$target" \
            "$build/$target.log" &
        pids+=($!)
    done
    status=0
    for i in "${!targets[@]}"; do
        target=${targets[$i]}
        if ! wait "${pids[$i]}" || [ -n "$(ls -A "$build/findings-$target")" ]; then
            status=1
            echo "== $target found something; the end of its log ($build/$target.log):"
            tail -n 60 "$build/$target.log"
            echo "== inputs kept in $build/findings-$target; each reproduces with:"
            reproducers "$target" "$build/findings-$target"
        fi
    done
    for target in "${targets[@]}"; do
        report "$target" "$build/$target.log"
    done
    exit "$status"
fi
