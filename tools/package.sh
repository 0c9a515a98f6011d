#!/usr/bin/env bash
# Makes the packages users install: the .deb of a hardened Release build (cpack -G
# DEB) and the .zip of the Windows cross build (cpack -G ZIP), both in
# build/packages/. CPack strips the programs of both.
#
#   bash tools/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
out=build/packages

# Release builds without the test suite: nothing of GoogleTest is built or packed.
package() {
    local build=$1 generator=$2
    shift 2
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUELT_BUILD_TESTS=OFF "$@" >/dev/null
    cmake --build "$build" -j "$jobs"
    (cd "$build" && cpack -G "$generator" -B "$PWD/../../$out" >/dev/null)
}

# Debian's build flags with every hardening feature on (fortified functions, a
# stack protector, relocations read-only and bound at start), as Debian builds
# its own packages.
debian_flags() {
    DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"
}

rm -rf "$out"
mkdir -p "$out"
package build/package-deb DEB -DCMAKE_CXX_COMPILER=g++ \
    "-DCMAKE_CXX_FLAGS=$(debian_flags CPPFLAGS) $(debian_flags CXXFLAGS)" \
    "-DCMAKE_EXE_LINKER_FLAGS=$(debian_flags LDFLAGS)"
bash tools/build-windows-libarchive.sh
package build/package-zip ZIP -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
rm -rf "$out/_CPack_Packages"
ls -l "$out"
