#!/usr/bin/env bash
# Times quelt-ls over a collection: a folder of generated images (the sample set
# made by quelt-sample-set, its disks one per file, cut-short copies, disks in
# other orders, and a few files that are no image), 1,000 by default. Prints the
# wall time and peak memory (GNU time) of `quelt-ls --short -r`, `--json -r` and
# `--hash -r` beside the floor, `sha1sum` then `md5sum` over the same files, and
# `--json -r` over a tenth of the folder, whose peak memory should be the same.
# A benchmark, not a test: it asserts nothing. `--json -r` is meant to stay
# within 5 times the floor.
#
#   bash tools/bench-collection.sh [COUNT]    (default 1000)
set -euo pipefail
cd "$(dirname "$0")/.."

count=${1:-1000}
build=build/bench-collection
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUELT_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target quelt-ls quelt-sample-set >/dev/null
bin=$(pwd)/$build
[ -x /usr/bin/time ] || { echo "needs GNU time (Debian package time)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/quelt-bench-collection.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The kinds of file, from the one sample set: the whole set, each disk alone,
# the set cut short, two disks in the other order, and text that is no image.
"$bin/tests/quelt-sample-set" "$work/set.d88"
disk=$(($(stat -c %s "$work/set.d88") / 3))
mkdir "$work/kinds"
cp "$work/set.d88" "$work/kinds/whole"
for n in 1 2 3; do
    head -c $((n * disk)) "$work/set.d88" | tail -c "$disk" >"$work/kinds/disk$n"
done
head -c 500000 "$work/set.d88" >"$work/kinds/cut"
cat "$work/kinds/disk3" "$work/kinds/disk2" >"$work/kinds/swapped"
echo "notes on the collection" >"$work/kinds/notes"
kinds=(whole disk1 disk2 disk3 cut swapped whole disk2 disk3 cut)

# COUNT files in ten folders; one in fifty is no image.
mkdir "$work/all"
for ((i = 0; i < count; i++)); do
    folder=$work/all/$((i % 10))
    mkdir -p "$folder"
    kind=${kinds[$((i % ${#kinds[@]}))]}
    ((i % 50 == 49)) && kind=notes
    cp "$work/kinds/$kind" "$folder/image$i.d88"
done
echo "$count files, $(du -sm "$work/all" | cut -f1) MiB"

# "SECONDS KIB" of one run of COMMAND... (its status is not looked at: a folder
# with files that are no image ends quelt-ls with 1).
measure() {
    /usr/bin/time -o "$work/time" -f '%e %M' "$@" >/dev/null 2>&1 || true
    tail -n 1 "$work/time"
}

files() {
    find "$work/all" -type f -print0 | sort -z
}

floor() {
    files | xargs -0 sha1sum >/dev/null
    files | xargs -0 md5sum >/dev/null
}
export -f floor files
export work

cat "$work"/all/*/* >/dev/null  # every run reads the files from the cache
printf '%-34s %8s %10s\n' run seconds 'peak KiB'
report() {
    local name=$1
    shift
    read -r seconds kib < <(measure "$@")
    printf '%-34s %8s %10s\n' "$name" "$seconds" "$kib"
}
report "floor: sha1sum, then md5sum" bash -c floor
report "quelt-ls --short -r" "$bin/quelt-ls" --short -r "$work/all"
report "quelt-ls --json -r" "$bin/quelt-ls" --json -r "$work/all"
report "quelt-ls --hash -r" "$bin/quelt-ls" --hash -r "$work/all"
report "quelt-ls --json -r, a tenth" "$bin/quelt-ls" --json -r "$work/all/0"
