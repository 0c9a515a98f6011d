#!/usr/bin/env bash
# Lists a ZIP bomb, a ZIP of a few MiB whose one member unpacks to 4 GiB of
# zeros (made by samples/make_zip_bomb), with quelt-ls in its text form
# (which unpacks only as far as the disk's header reaches) and with --json
# (which reads and hashes the member up to the largest image offset, 2 GiB,
# and says where it was cut off). Prints each run's wall time, peak memory
# (GNU time) and the temporary folder's largest use, and the JSON line's
# cut_off_at. A benchmark, not a test: it asserts nothing. Both are meant to
# stay within 64 MiB of memory.
#
#   bash tools/bench-zip-bomb.sh
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/bench-zip-bomb
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUELT_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target quelt-ls make_zip_bomb >/dev/null
bin=$(pwd)/$build
[ -x /usr/bin/time ] || { echo "needs GNU time (Debian package time)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/quelt-bench-zip-bomb.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/tmp"
echo "making the ZIP (4 GiB of zeros, deflated)..."
"$bin/samples/make_zip_bomb" "$work/bomb.zip"
echo "bomb.zip: $(stat -c %s "$work/bomb.zip") bytes"

# The bytes the temporary copies of process PID hold: they have no name once
# open (POSIX), so they are found among its open files.
copies_kib() {
    local bytes=0 fd
    for fd in /proc/"$1"/fd/*; do
        if [[ $(readlink "$fd" 2>/dev/null) == "$work/tmp/"* ]]; then
            bytes=$((bytes + $(stat -L -c %s "$fd" 2>/dev/null || echo 0)))
        fi
    done
    echo $((bytes / 1024))
}

# Runs COMMAND... with its temporary copies in $work/tmp, watching how large
# they grow; prints "SECONDS KIB TEMPORARY-KIB".
measure() {
    local largest=0 used child
    TMPDIR=$work/tmp /usr/bin/time -o "$work/time" -f '%e %M' "$@" >"$work/out" 2>&1 &
    local pid=$!
    while kill -0 "$pid" 2>/dev/null; do
        for child in $(pgrep -P "$pid" || true); do
            used=$(copies_kib "$child")
            ((used > largest)) && largest=$used
        done
        sleep 0.1
    done
    wait "$pid" || true
    echo "$(tail -n 1 "$work/time") $largest"
}

printf '%-24s %8s %10s %14s\n' run seconds 'peak KiB' 'temporary KiB'
for form in text --json; do
    options=()
    [ "$form" = text ] || options=("$form")
    read -r seconds kib temporary < <(measure "$bin/quelt-ls" "${options[@]}" "$work/bomb.zip")
    printf '%-24s %8s %10s %14s\n' "quelt-ls $form" "$seconds" "$kib" "$temporary"
    grep -o '"file_size":[0-9]*,"cut_off_at":[0-9]*' "$work/out" || head -n 2 "$work/out"
done
