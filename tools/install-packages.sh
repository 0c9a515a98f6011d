#!/usr/bin/env bash
# Installs with apt-get the Debian packages that tools/packages.txt lists: every
# group, or only the named ones (README's sample run installs "sample").
# Recommended packages are left out, so what the list names is all that the
# builds get, on a developer's machine as in CI. Run by root it installs at
# once; run by another user it runs itself again through sudo, so that one
# command works as written for both (a fresh Debian's root has no sudo).
#
#   bash tools/install-packages.sh [GROUP...]
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        echo "install-packages.sh: installing needs root: run it as root, or install sudo" >&2
        exit 1
    fi
    exec sudo -- bash tools/install-packages.sh "$@"
fi
list=tools/packages.txt

# The package names of the wanted groups; with no group given, of them all.
packages_of() {
    awk -v wanted=" $* " '
        /^\[.*\]/ { group = substr($1, 2, length($1) - 2); next }
        { sub(/#.*/, "") }
        NF && (wanted == "  " || index(wanted, " " group " ")) { print $1 }
    ' "$list"
}

mapfile -t packages < <(packages_of "$@")
if [ "${#packages[@]}" -eq 0 ]; then
    echo "no packages in $list for: $*" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${packages[@]}"
