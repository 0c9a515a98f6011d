#!/usr/bin/env bash
# Tries the packages of tools/package.sh as a user would: lints the .deb with
# lintian (no error, no warning, no hardening tag), installs it with dpkg -i (as
# root only; it is removed again afterwards), runs the installed quelt on the
# sample set, then checks the .zip's documents and runs the .exe files of the
# unpacked .zip under Wine on the same set, and checks that both wrote the same
# 24 files with status 0 (and that the companions expand a wildcard and write
# to NUL there, and that the drop target writes the same files beside the image).
#
#   bash tools/check-packages.sh    (after tools/package.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
packages=$PWD/build/packages
deb=$(ls "$packages"/quelt_*.deb)
zip=$(ls "$packages"/quelt-*-win64.zip)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs `$@` in folder $1, which must then hold the sample set and 24 outputs.
expect_complete_run() {
    local folder=$1
    shift
    local status=0
    (cd "$folder" && "$@" sample.d88 >/dev/null) || status=$?
    local files
    files=$(find "$folder" -type f ! -name sample.d88 | wc -l)
    if [ "$status" -ne 0 ] || [ "$files" -ne 24 ]; then
        echo "$*: status $status, $files files written (want 0 and 24)"
        return 1
    fi
}

# Debian's checks of a package. Its info tags are shown too, and those naming a
# missing hardening feature fail the check like a warning.
lint_deb() {
    local status=0 tags
    tags=$(lintian --fail-on error,warning --display-info "$deb" 2>&1) || status=$?
    tags=$(grep -v '^running with root privileges' <<<"$tags" || true)
    if [ -n "$tags" ]; then printf '%s\n' "$tags"; fi
    if [ "$status" -ne 0 ] || grep -q '^I: [^ ]* hardening-' <<<"$tags"; then
        echo "lintian: $(basename "$deb") is not clean"
        return 1
    fi
    echo "lintian: $(basename "$deb") has no error and no warning"
}

# The .zip's folder: the programs, the manual pages in HTML, and the texts for
# Windows users with Windows line ends, README-Windows.txt with the byte-order
# mark that makes every Notepad read it as UTF-8; not the Linux README.md.
check_zip_folder() {
    local folder=$1 file
    for file in quelt quelt-ls quelt-cp quelt-join quelt-sample-set; do
        [ -f "$folder/$file.exe" ] && [ -f "$folder/$file.html" ] ||
            { echo "$zip: no $file.exe or $file.html"; return 1; }
    done
    [ -f "$folder/quelt-drop.exe" ] || { echo "$zip: no quelt-drop.exe"; return 1; }
    for file in README-Windows.txt NOTICES.txt; do
        if [ ! -f "$folder/$file" ] ||
            [ "$(grep -c $'\r$' "$folder/$file")" -ne "$(wc -l <"$folder/$file")" ]; then
            echo "$zip: $file is missing or has a line without CR LF"
            return 1
        fi
    done
    if [ "$(head -c 3 "$folder/README-Windows.txt" | od -An -tx1 | tr -d ' \n')" != efbbbf ]; then
        echo "$zip: README-Windows.txt does not begin with a UTF-8 byte-order mark"
        return 1
    fi
    if [ -e "$folder/README.md" ]; then
        echo "$zip: holds README.md, which is about Linux"
        return 1
    fi
}

lint_deb
if [ "$(id -u)" -eq 0 ]; then
    dpkg -i "$deb" >/dev/null
    mkdir "$work/deb"
    /usr/bin/quelt-sample-set "$work/deb/sample.d88"
    expect_complete_run "$work/deb" /usr/bin/quelt
    man -w quelt quelt-ls quelt-cp quelt-join quelt-sample-set >/dev/null 2>&1 ||
        [ -f /usr/share/man/man1/quelt.1 ]
    dpkg -r quelt >/dev/null
    echo "installed $(basename "$deb"): quelt on the sample set wrote its 24 files"
else
    echo "not root: $(basename "$deb") not installed"
    if [ "${CI:-}" = true ]; then exit 1; fi
fi

# The .zip's programs alone, with nothing beside them but the sample set they write,
# in a Wine prefix of their own (set up on the first run).
export WINEPREFIX=${WINEPREFIX:-$PWD/build/packages-wine-prefix} WINEDEBUG=-all
export WINEDLLOVERRIDES=mscoree,mshtml=
mkdir -p "$WINEPREFIX"
wine wineboot </dev/null >/dev/null 2>&1
cmake -E chdir "$work" cmake -E tar xf "$zip"
windows=$(ls -d "$work"/quelt-*-win64)
check_zip_folder "$windows"
mkdir "$work/zip"
(cd "$work/zip" && wine "$windows/quelt-sample-set.exe" sample.d88)
expect_complete_run "$work/zip" wine "$windows/quelt.exe"
echo "unpacked $(basename "$zip"): quelt.exe under Wine wrote its 24 files"
# As README-Windows.txt's first run has them: a wildcard the program expands
# (Wine gives it unquoted), and NUL as a copy's OUTPUT.
lines=$(cd "$work/zip" && wine "$windows/quelt-ls.exe" --short '*.d88' | wc -l)
copied=0
(cd "$work/zip" && wine "$windows/quelt-cp.exe" sample.d88 3 bgmscore NUL) || copied=$?
if [ "$lines" -ne 3 ] || [ "$copied" -ne 0 ]; then
    echo "quelt-ls.exe --short *.d88 gave $lines lines (want 3), or quelt-cp.exe ... NUL failed"
    exit 1
fi
echo "quelt-ls.exe expanded *.d88; quelt-cp.exe copied to NUL"
# The drop target's first run: the set joined, quelt's 24 files and the joined
# set in a new folder named for the image, the same files as quelt.exe wrote.
(cd "$work/zip" && wine "$windows/quelt-drop.exe" sample.d88 >/dev/null)
cp "$work/zip/sample.d88" "$work/zip/set.d88"
if ! diff -r --exclude=sample.d88 --exclude=sample "$work/zip" "$work/zip/sample" >/dev/null; then
    echo "quelt-drop.exe wrote other files into $work/zip/sample than quelt.exe and the set"
    exit 1
fi
rm "$work/zip/set.d88"
echo "quelt-drop.exe joined the set and wrote quelt's 24 files beside the image"
if [ -d "$work/deb" ]; then
    diff -r --exclude=sample.d88 --exclude=sample "$work/deb" "$work/zip" >/dev/null
    echo "both wrote the same bytes"
fi
