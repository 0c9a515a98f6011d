#!/usr/bin/env bash
# Times quelt-ls over three collections of generated images, COUNT files each
# (1,000 by default), beside the floor of each: reading every byte the way the
# system's hash tools do.
#   - one disk per file (the common case): the sample set's disks, one a file,
#     and one file in fifty that is no image; floor: sha1sum, then md5sum;
#   - the mixed set: the whole set, its disks alone, cut-short copies, disks in
#     the other order (a file of several disks has each byte hashed twice, as
#     the file and as its disk); floor the same;
#   - the one-disk-per-file collection kept in ZIPs, ten files a ZIP; floor:
#     unzip -p of each ZIP to sha1sum, then to md5sum.
# Prints the wall time and peak memory (GNU time) of `quelt-ls --json -r` on
# each, its ratio to the floor, `--short -r` and `--hash -r` on the mixed set,
# and `--json -r` over a tenth of it, whose peak memory should be the same; the
# `--json -r` runs with -j 1 and -j 2 beside the default (one thread a core).
# A benchmark, not a test: it asserts nothing. `--json -r` is meant to stay
# within 1.25 times the floor on one disk per file on one thread, 1.5 times on
# the mixed set, and within 0.6 times on one disk per file on two cores.
#
#   bash tools/bench-collection.sh [COUNT]    (default 1000)
set -euo pipefail
cd "$(dirname "$0")/.."

count=${1:-1000}
build=build/bench-collection
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUELT_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target quelt-ls quelt-sample-set make_zip >/dev/null
bin=$(pwd)/$build
[ -x /usr/bin/time ] || { echo "needs GNU time (Debian package time)" >&2; exit 1; }
command -v unzip >/dev/null || { echo "needs unzip (Debian package unzip)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/quelt-bench-collection.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The kinds of file, from the one sample set: the whole set, each disk alone,
# the set cut short, two disks in the other order, and text that is no image.
"$bin/samples/quelt-sample-set" "$work/set.d88"
disk=$(($(stat -c %s "$work/set.d88") / 3))
mkdir "$work/kinds"
cp "$work/set.d88" "$work/kinds/whole"
for n in 1 2 3; do
    head -c $((n * disk)) "$work/set.d88" | tail -c "$disk" >"$work/kinds/disk$n"
done
head -c 500000 "$work/set.d88" >"$work/kinds/cut"
cat "$work/kinds/disk3" "$work/kinds/disk2" >"$work/kinds/swapped"
echo "notes on the collection" >"$work/kinds/notes"

# COUNT files of the KINDS... in ten folders of FOLDER; one in fifty is no image.
collect() {
    local folder=$1
    shift
    local kinds=("$@") i kind
    for ((i = 0; i < count; i++)); do
        mkdir -p "$folder/$((i % 10))"
        kind=${kinds[$((i % ${#kinds[@]}))]}
        ((i % 50 == 49)) && kind=notes
        cp "$work/kinds/$kind" "$folder/$((i % 10))/image$i.d88"
    done
    echo "$(basename "$folder"): $count files, $(du -sm "$folder" | cut -f1) MiB"
}
collect "$work/disks" disk1 disk2 disk3
collect "$work/mixed" whole disk1 disk2 disk3 cut swapped whole disk2 disk3 cut

# The one-disk-per-file collection, ten files a ZIP.
mkdir "$work/zips"
files=()
while IFS= read -r -d '' file; do files+=("$file"); done \
    < <(find "$work/disks" -type f -print0 | sort -z)
for ((i = 0; i < ${#files[@]}; i += 10)); do
    "$bin/samples/make_zip" "$work/zips/set$((i / 10)).zip" "${files[@]:i:10}"
done
echo "zips: ${#files[@]} files in $(ls "$work/zips" | wc -l) ZIPs, $(du -sm "$work/zips" | cut -f1) MiB"

# "SECONDS KIB" of one run of COMMAND... (its status is not looked at: a folder
# with files that are no image ends quelt-ls with 1).
measure() {
    /usr/bin/time -o "$work/time" -f '%e %M' "$@" >/dev/null 2>&1 || true
    tail -n 1 "$work/time"
}

# The floors: every file read whole by sha1sum, then by md5sum; every ZIP
# unpacked to sha1sum, then unpacked again to md5sum.
floor() {
    find "$1" -type f -print0 | sort -z | xargs -0 sha1sum >/dev/null
    find "$1" -type f -print0 | sort -z | xargs -0 md5sum >/dev/null
}
zip_floor() {
    local zip
    for zip in "$1"/*.zip; do
        unzip -p "$zip" | sha1sum >/dev/null
        unzip -p "$zip" | md5sum >/dev/null
    done
}
export -f floor zip_floor

cat "$work"/disks/*/* "$work"/mixed/*/* "$work"/zips/* >/dev/null  # every run reads from the cache
printf '%-40s %8s %10s %7s\n' run seconds 'peak KiB' ratio
floor_seconds=1
# Prints a run's line; "floor" runs set the time the next runs are compared with.
report() {
    local name=$1
    shift
    read -r seconds kib < <(measure "$@")
    if [[ $name == floor* ]]; then floor_seconds=$seconds; fi
    printf '%-40s %8s %10s %7s\n' "$name" "$seconds" "$kib" \
        "$(awk -v s="$seconds" -v f="$floor_seconds" 'BEGIN { printf "%.2f", (f > 0 ? s / f : 0) }')"
}
report "floor: one disk a file" bash -c 'floor "$0"' "$work/disks"
report "quelt-ls --json -r, one disk a file" "$bin/quelt-ls" --json -r "$work/disks"
for jobs in 1 2; do
    report "quelt-ls -j $jobs --json -r, one disk a file" \
        "$bin/quelt-ls" -j "$jobs" --json -r "$work/disks"
done
report "floor: mixed set" bash -c 'floor "$0"' "$work/mixed"
report "quelt-ls --json -r, mixed set" "$bin/quelt-ls" --json -r "$work/mixed"
for jobs in 1 2; do
    report "quelt-ls -j $jobs --json -r, mixed set" "$bin/quelt-ls" -j "$jobs" --json -r "$work/mixed"
done
report "quelt-ls --short -r, mixed set" "$bin/quelt-ls" --short -r "$work/mixed"
report "quelt-ls --hash -r, mixed set" "$bin/quelt-ls" --hash -r "$work/mixed"
report "quelt-ls --json -r, a tenth of it" "$bin/quelt-ls" --json -r "$work/mixed/0"
report "quelt-ls -j 1 --json -r, a tenth of it" "$bin/quelt-ls" -j 1 --json -r "$work/mixed/0"
report "floor: ZIPs, unzip -p to each hash" bash -c 'zip_floor "$0"' "$work/zips"
report "quelt-ls --json -r, ZIPs" "$bin/quelt-ls" --json -r "$work/zips"
