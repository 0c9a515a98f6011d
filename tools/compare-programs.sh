#!/usr/bin/env bash
# Runs the programs of two builds on the same images and says where they differ:
# for each image, quelt IMAGE, quelt-ls IMAGE and quelt-cp IMAGE 1 and 2, each in
# a fresh folder, compared by standard output, standard error, exit status and
# every file written. With --pipe the second build also reads each image through
# a pipe (cat IMAGE | PROGRAM /dev/stdin), which must give the same as the first
# build's file run.
# Prints one line per difference and a count; exits 1 when any run differs.
# With --quelt-only only quelt's runs are compared (when the companions are
# meant to differ).
#
#   bash tools/compare-programs.sh [--pipe] [--quelt-only] OLD_BUILD NEW_BUILD IMAGE_OR_FOLDER...
set -euo pipefail

pipe=false
commands=("quelt" "quelt-ls" "quelt-cp 1" "quelt-cp 2")
while [ "$#" -gt 0 ]; do
    case "$1" in
    --pipe) pipe=true ;;
    --quelt-only) commands=("quelt") ;;
    *) break ;;
    esac
    shift
done
[ "$#" -ge 3 ] || { sed -n 2,12p "$0" >&2; exit 2; }
old=$(cd "$1" && pwd)
new=$(cd "$2" && pwd)
shift 2

work=$(mktemp -d "${TMPDIR:-/tmp}/quelt-compare.XXXXXX")
trap 'rm -rf "$work"' EXIT

# run BUILD SIDE IMAGE PROGRAM [ARGS...]: the run's outputs into $work/SIDE.
run() {
    local build=$1 side=$2 image=$3 program=$4
    shift 4
    rm -rf "${work:?}/$side"
    mkdir -p "$work/$side/files"
    local status=0
    if [ "$side" = piped ]; then
        # The program's status, not cat's: a program that has read what it needs
        # ends before cat has written all, which a pipe then refuses.
        (set +o pipefail && cd "$work/$side/files" && cat "$image" 2>/dev/null |
            "$build/$program" /dev/stdin "$@" >"$work/$side/stdout" 2>"$work/$side/stderr") ||
            status=$?
    else
        (cd "$work/$side/files" && "$build/$program" "$image" "$@" \
            >"$work/$side/stdout" 2>"$work/$side/stderr") || status=$?
    fi
    echo "$status" >"$work/$side/status"
}

images=()
for given in "$@"; do
    if [ -d "$given" ]; then
        while IFS= read -r -d '' file; do images+=("$file"); done \
            < <(find "$given" -type f -print0 | sort -z)
    else
        images+=("$given")
    fi
done

runs=0
differ=0
# compare IMAGE SIDE PROGRAM ARGS...: the old run against the new one (or the piped one).
compare() {
    local image=$1 side=$2
    shift 2
    runs=$((runs + 1))
    if ! diff -r "$work/old" "$work/$side" >/dev/null 2>&1; then
        differ=$((differ + 1))
        echo "differs ($side): $* on $image"
    fi
}

for image in "${images[@]}"; do
    image=$(cd "$(dirname "$image")" && pwd)/$(basename "$image")
    for command in "${commands[@]}"; do
        read -r -a words <<<"$command"
        run "$old" old "$image" "${words[@]}"
        run "$new" new "$image" "${words[@]}"
        compare "$image" new "${words[@]}"
        if $pipe; then
            run "$new" piped "$image" "${words[@]}"
            compare "$image" piped "${words[@]}"
        fi
    done
done
# counted N ONE MANY: N and the noun in its number.
counted() { if [ "$1" -eq 1 ]; then echo "$1 $2"; else echo "$1 $3"; fi; }
echo "$(counted "${#images[@]}" image images), $(counted "$runs" run runs) compared, $differ differ"
[ "$differ" -eq 0 ]
