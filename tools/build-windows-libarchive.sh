#!/usr/bin/env bash
# Builds the libarchive that the Windows cross build links (Debian packages no
# libarchive for mingw-w64): Debian's own source package, fetched with apt-get
# source through an apt configuration of this script's own (its deb-src entry,
# lists and cache in a scratch folder; the machine's sources are neither read
# nor changed), built static with the mingw-w64 compiler of
# cmake/mingw-w64-x86_64.cmake and linked with mingw-w64's zlib and with
# liblzma and libbz2, built static the same way from Debian's xz-utils and
# bzip2 source packages (Debian has no mingw-w64 build of them). It reads ZIP,
# 7-Zip (its LZMA and LZMA2 headers and members, as 7-Zip writes by default),
# tar, LZH, cabinet, RAR and cpio, and gzip, bzip2, xz, lzma, lzip and
# compress (.Z) data; zstd and lz4, which collections hardly use, are left out.
# Installs lib/libarchive.a, liblzma.a and libbz2.a, include/archive.h and
# archive_entry.h, COPYING, COPYING.xz, LICENSE.bzip2 and VERSION (the source
# packages') into PREFIX; does nothing when PREFIX already holds a build
# (remove it to build afresh, for newer source packages).
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

prepare_apt() {
    mkdir -p "$work/apt/sources.list.d" "$work/apt/lists/partial" \
        "$work/apt/cache/archives/partial" "$work/source"
    cat >"$work/apt/sources.list" <<EOF
deb-src [signed-by=$keyring] http://deb.debian.org/debian $codename main
deb-src [signed-by=$keyring] http://deb.debian.org/debian-security $codename-security main
EOF
    apt_private update >/dev/null
}

# The source package NAME unpacked: its folder in $folder, its version in $version.
fetch_package() {
    (cd "$work/source" && apt_private source "$1" >/dev/null)
    folder=$(find "$work/source" -mindepth 1 -maxdepth 1 -type d -name "$1-*" | head -n 1)
    version=$(cd "$work/source" && ls "$1"_*.dsc | sed "s/^$1_\(.*\)\.dsc\$/\1/")
}

fetch_sources() {
    prepare_apt
    fetch_package xz-utils
    xz_source=$folder xz_version=$version
    fetch_package bzip2
    bzip2_source=$folder bzip2_version=$version
    fetch_package libarchive
    source=$folder
}

# liblzma alone, static, by xz-utils' own CMake build.
build_lzma() {
    cmake -S "$xz_source" -B "$work/xz" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        "-DCMAKE_C_FLAGS_RELEASE=-O2 -DNDEBUG" \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_CROSSCOMPILING_EMULATOR= -DBUILD_SHARED_LIBS=OFF >"$work/xz-configure.log"
    cmake --build "$work/xz" -j "$jobs" --target liblzma >"$work/xz-build.log" ||
        { tail -n 30 "$work/xz-build.log"; return 1; }
    mkdir -p "$work/deps/lib" "$work/deps/include"
    cp "$(find "$work/xz" -name 'liblzma.a' | head -n 1)" "$work/deps/lib/"
    cp -r "$xz_source/src/liblzma/api/lzma.h" "$xz_source/src/liblzma/api/lzma" "$work/deps/include/"
}

# libbz2 from its library's own sources, as bzip2's Makefile lists them (it has
# no cross build of its own).
build_bzip2() {
    local objects=()
    for name in blocksort huffman crctable randtable compress decompress bzlib; do
        x86_64-w64-mingw32-gcc -O2 -DNDEBUG -c "$bzip2_source/$name.c" -o "$work/bz-$name.o"
        objects+=("$work/bz-$name.o")
    done
    x86_64-w64-mingw32-ar rcs "$work/deps/lib/libbz2.a" "${objects[@]}"
    cp "$bzip2_source/bzlib.h" "$work/deps/include/"
}

# Static, over zlib, liblzma and libbz2; no program, test or manual page.
build_static() {
    local build=$work/build
    # -O2: quicker to build than Release's -O3, and reading is not its bottleneck.
    cmake -S "$source" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        "-DCMAKE_C_FLAGS_RELEASE=-O2 -DNDEBUG" \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_CROSSCOMPILING_EMULATOR= -DBUILD_SHARED_LIBS=OFF \
        -DENABLE_ZLIB=ON -DZLIB_LIBRARY="$mingw/lib/libz.a" -DZLIB_INCLUDE_DIR="$mingw/include" \
        -DENABLE_LZMA=ON -DLIBLZMA_INCLUDE_DIR="$work/deps/include" \
        -DLIBLZMA_LIBRARY="$work/deps/lib/liblzma.a" "-DCMAKE_C_FLAGS=-DLZMA_API_STATIC" \
        -DENABLE_BZip2=ON -DBZIP2_INCLUDE_DIR="$work/deps/include" \
        -DBZIP2_LIBRARIES="$work/deps/lib/libbz2.a" -DENABLE_ZSTD=OFF \
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
    cp "$work/deps/lib/liblzma.a" "$work/deps/lib/libbz2.a" "$prefix/lib/"
    cp "$source/libarchive/archive.h" "$source/libarchive/archive_entry.h" "$prefix/include/"
    cp "$source/COPYING" "$prefix/COPYING"
    cp "$xz_source/COPYING" "$prefix/COPYING.xz"
    cp "$bzip2_source/LICENSE" "$prefix/LICENSE.bzip2"
    echo "libarchive $version, xz-utils $xz_version, bzip2 $bzip2_version" >"$prefix/VERSION"
}

if [ -f "$prefix/lib/libarchive.a" ] && [ -f "$prefix/lib/liblzma.a" ] && [ -f "$prefix/VERSION" ]; then
    echo "$(cat "$prefix/VERSION") for Windows: already in $prefix"
    exit 0
fi
fetch_sources
build_lzma
build_bzip2
build_static
install_into_prefix
echo "$(cat "$prefix/VERSION") for Windows: built into $prefix"
