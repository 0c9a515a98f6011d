#!/usr/bin/env bash
# Builds the libarchive that the Windows cross build links (Debian packages no
# libarchive for mingw-w64): Debian's own source package, fetched with apt-get
# source through an apt configuration of this script's own (its deb-src entry,
# lists and cache in a scratch folder; the machine's sources are neither read
# nor changed), built static with the mingw-w64 compiler of
# cmake/mingw-w64-x86_64.cmake and linked with mingw-w64's zlib. It reads ZIP,
# 7-Zip (stored and deflated members), tar, LZH, cabinet, RAR and cpio, and
# gzip and compress (.Z) data; forms that need a library Debian has no
# mingw-w64 build of (bzip2, xz, lzma, lzip, zstd, lz4) are left out.
# Installs lib/libarchive.a, include/archive.h and archive_entry.h, COPYING and
# VERSION (the source package's) into PREFIX; does nothing when PREFIX already
# holds a build (remove it to build afresh, for a newer source package).
#
#   bash tools/build-windows-libarchive.sh [PREFIX]    (default build/windows-libarchive)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
prefix=${1:-build/windows-libarchive}
mkdir -p "$prefix"
prefix=$(cd "$prefix" && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
# The release the machine runs: its source package matches its own libarchive.
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
# mingw-w64's own root, where its static zlib lies: linked as it is, not as a DLL.
mingw=/usr/x86_64-w64-mingw32

work=$(mktemp -d "${TMPDIR:-/tmp}/quelt-libarchive.XXXXXX")
trap 'rm -rf "$work"' EXIT

# apt-get with everything it reads and writes in $work: the deb-src entries of
# the release and its security updates, signed by Debian's keyring.
apt_private() {
    local options=(-o "Dir::Etc::SourceList=$work/apt/sources.list"
                   -o "Dir::Etc::SourceParts=$work/apt/sources.list.d"
                   -o "Dir::State::Lists=$work/apt/lists"
                   -o "Dir::Cache=$work/apt/cache"
                   -o "Debug::NoLocking=true" -o "APT::Get::List-Cleanup=false")
    # As root apt fetches as its own user, who cannot write into this folder.
    if [ "$(id -u)" -eq 0 ]; then options+=(-o "APT::Sandbox::User=root"); fi
    apt-get -q "${options[@]}" "$@"
}

fetch_source() {
    mkdir -p "$work/apt/sources.list.d" "$work/apt/lists/partial" \
        "$work/apt/cache/archives/partial" "$work/source"
    cat >"$work/apt/sources.list" <<EOF
deb-src [signed-by=$keyring] http://deb.debian.org/debian $codename main
deb-src [signed-by=$keyring] http://deb.debian.org/debian-security $codename-security main
EOF
    apt_private update >/dev/null
    (cd "$work/source" && apt_private source libarchive >/dev/null)
    source=$(find "$work/source" -mindepth 1 -maxdepth 1 -type d -name 'libarchive-*' | head -n 1)
    version=$(cd "$work/source" && ls libarchive_*.dsc | sed 's/^libarchive_\(.*\)\.dsc$/\1/')
}

# Static, zlib the one outside library; no program, test or manual page.
build_static() {
    local build=$work/build
    # -O2: quicker to build than Release's -O3, and reading is not its bottleneck.
    cmake -S "$source" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        "-DCMAKE_C_FLAGS_RELEASE=-O2 -DNDEBUG" \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_CROSSCOMPILING_EMULATOR= -DBUILD_SHARED_LIBS=OFF \
        -DENABLE_ZLIB=ON -DZLIB_LIBRARY="$mingw/lib/libz.a" -DZLIB_INCLUDE_DIR="$mingw/include" \
        -DENABLE_BZip2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF \
        -DENABLE_LZ4=OFF -DENABLE_LZO=OFF -DENABLE_LIBB2=OFF -DENABLE_OPENSSL=OFF \
        -DENABLE_MBEDTLS=OFF -DENABLE_NETTLE=OFF -DENABLE_LIBXML2=OFF -DENABLE_EXPAT=OFF \
        -DENABLE_PCREPOSIX=OFF -DENABLE_LIBGCC=OFF -DPOSIX_REGEX_LIB=NONE \
        -DENABLE_ICONV=OFF \
        -DENABLE_ACL=OFF -DENABLE_XATTR=OFF -DENABLE_TAR=OFF -DENABLE_CPIO=OFF -DENABLE_CAT=OFF \
        -DENABLE_TEST=OFF -DENABLE_INSTALL=OFF -DENABLE_WERROR=OFF >"$work/configure.log"
    cmake --build "$build" -j "$jobs" --target archive_static >"$work/build.log" ||
        { tail -n 30 "$work/build.log"; return 1; }
    static=$(find "$build" -name 'libarchive_static.a' -o -name 'libarchive.a' | head -n 1)
}

install_into_prefix() {
    rm -rf "$prefix/lib" "$prefix/include"
    mkdir -p "$prefix/lib" "$prefix/include"
    cp "$static" "$prefix/lib/libarchive.a"
    cp "$source/libarchive/archive.h" "$source/libarchive/archive_entry.h" "$prefix/include/"
    cp "$source/COPYING" "$prefix/COPYING"
    echo "$version" >"$prefix/VERSION"
}

if [ -f "$prefix/lib/libarchive.a" ] && [ -f "$prefix/VERSION" ]; then
    echo "libarchive $(cat "$prefix/VERSION") for Windows: already in $prefix"
    exit 0
fi
fetch_source
build_static
install_into_prefix
echo "libarchive $version for Windows: built into $prefix"
