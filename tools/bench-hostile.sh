#!/usr/bin/env bash
# Times quelt, quelt-ls and quelt-cp on the worst-case images of the reader (made
# by samples/make_hostile_images, see samples/hostile_images.h) at
# each size given in MiB, beside `cat IMAGE > /dev/null` as the floor for just
# reading the file. Prints each run's wall time and peak memory (GNU time) and,
# for 128 and 256 MiB, the ratio of their times. A benchmark, not a test: it
# asserts nothing. The reader is meant to keep every image up to 128 MiB within
# 2 s and 64 MiB, in time that grows linearly with the file.
#
#   bash tools/bench-hostile.sh [MIB...]    (default 16 128 256)
set -euo pipefail
cd "$(dirname "$0")/.."

sizes=("$@")
[ "${#sizes[@]}" -gt 0 ] || sizes=(16 128 256)
build=build/bench-hostile
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUELT_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target quelt quelt-ls quelt-cp make_hostile_images >/dev/null
bin=$(pwd)/$build
[ -x /usr/bin/time ] || { echo "needs GNU time (Debian package time)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/quelt-bench-hostile.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/out"

# "SECONDS KIB STATUS" of one run of COMMAND..., its outputs in $work/out.
measure() {
    local status=0
    (cd "$work/out" && /usr/bin/time -o "$work/time" -f '%e %M' "$@" >/dev/null 2>&1) || status=$?
    echo "$(tail -n 1 "$work/time") $status"
}

cat_seconds() {
    local start end
    start=$(date +%s%N)
    cat "$1" >/dev/null
    end=$(date +%s%N)
    awk -v ns=$((end - start)) 'BEGIN { printf "%.3f", ns / 1e9 }'
}

printf '%-24s %5s %-9s %8s %9s %6s %8s\n' image MiB program seconds "peak MiB" status "cat s"
for size in "${sizes[@]}"; do
    mkdir "$work/$size"
    "$bin/samples/make_hostile_images" "$work/$size" "$size"
    for image in "$work/$size"/*.d88; do
        name=$(basename "$image" .d88)
        floor=$(cat_seconds "$image")
        for program in quelt quelt-ls quelt-cp; do
            args=("$image")
            [ "$program" = quelt-cp ] && args+=(1)
            read -r seconds kib status < <(measure "$bin/$program" "${args[@]}")
            printf '%-24s %5s %-9s %8s %9s %6s %8s\n' "$name" "$size" "$program" "$seconds" \
                "$((kib / 1024))" "$status" "$floor"
            echo "$name $program $size $seconds" >>"$work/times"
            rm -rf "$work/out" && mkdir "$work/out"
        done
    done
    rm -rf "${work:?}/$size"
done

# Time at 256 MiB over time at 128 MiB, where both were measured.
if grep -q ' 128 ' "$work/times" && grep -q ' 256 ' "$work/times"; then
    echo
    echo "256/128 time ratio:"
    awk '$3 == 128 { t[$1 " " $2] = $4 } $3 == 256 && ($1 " " $2) in t {
        r = t[$1 " " $2] > 0 ? $4 / t[$1 " " $2] : 0
        printf "  %-24s %-9s %5.2f\n", $1, $2, r }' "$work/times"
fi
echo "(one run each; Release build in $build; the file in the page cache after cat)"
