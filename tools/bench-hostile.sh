#!/usr/bin/env bash
# Times whole runs of quelt on the worst-case images of its reader (made by
# tests/sample/make_hostile_images: 2 MiB of tracks of empty records walked from
# many starts, see tests/support/hostile_images.h) and, for scale, on the sample
# set. Prints the median wall time of several runs, the peak memory of one run
# (GNU time, when installed) and the exit status. A benchmark, not a test: it
# asserts nothing. The reader is meant to keep every image under 2 MiB below a
# second.
#
#   bash tools/bench-hostile.sh [RUNS]    (default 5)
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-5}
build=build/bench-hostile
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUELT_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target quelt make_hostile_images quelt-sample-set >/dev/null
quelt=$(pwd)/$build/quelt

work=$(mktemp -d "${TMPDIR:-/tmp}/quelt-bench-hostile.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$build/tests/make_hostile_images" "$work"
"$build/tests/quelt-sample-set" "$work/sample.d88"
mkdir "$work/out"

# Wall time of one run in milliseconds; the run's outputs land in $work/out.
run_ms() {
    local start end
    start=$(date +%s%N)
    (cd "$work/out" && "$quelt" "$1" >/dev/null 2>&1) || true
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

peak_kib() {
    if [ -x /usr/bin/time ]; then
        (cd "$work/out" && /usr/bin/time -f %M "$quelt" "$1" 2>&1 >/dev/null | tail -n 1)
    else
        echo n/a
    fi
}

printf '%-26s %9s %12s %10s %7s\n' image bytes "median ms" "peak KiB" status
for image in "$work"/*.d88; do
    times=$(for _ in $(seq "$runs"); do run_ms "$image"; done | median)
    status=0
    (cd "$work/out" && "$quelt" "$image" >/dev/null 2>&1) || status=$?
    printf '%-26s %9s %12s %10s %7s\n' "$(basename "$image")" "$(stat -c %s "$image")" \
        "$times" "$(peak_kib "$image")" "$status"
done
echo "($runs runs each, whole processes; Release build in $build)"
