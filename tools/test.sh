#!/usr/bin/env bash
# Builds and runs every test: the lint of the manual pages, the suite with g++,
# the suite with clang++ under AddressSanitizer and UndefinedBehaviorSanitizer,
# the Windows build (mingw-w64) with its suite under Wine, the packages (a .deb
# installed and run, the Windows .zip unpacked and run under Wine), and a bounded
# fuzzing stage (fuzz/run-fuzzers.sh).
# First it checks that every tool and runtime those stages use is here, so that a
# missing one stops the run at once with its name and Debian package, not with a
# linker error minutes in.
#
#   bash tools/test.sh [STAGE...]    (man, gcc, clang-sanitize, windows, packages, fuzz;
#                                     default all)
set -euo pipefail
cd "$(dirname "$0")/.."
# Every stage runs alike whatever the caller's environment holds. A fresh machine
# or container has no locale, and Wine then cannot give a file a non-ASCII name
# (the tests' Japanese image names fail with an I/O error); C.UTF-8 is part of
# Debian's libc. Files are made with the usual modes whatever the caller's umask,
# and scratch files go where TMPDIR says, else to /tmp.
export LC_ALL=C.UTF-8 LANG=C.UTF-8
unset LANGUAGE
umask 022
export TMPDIR=${TMPDIR:-/tmp}
# Wine keeps settings under HOME and will not start without one.
if [ -z "${HOME:-}" ]; then
    export HOME=$PWD/build/home
    mkdir -p "$HOME"
fi
jobs=$(nproc 2>/dev/null || echo 2)
all_stages=(man gcc clang-sanitize windows packages fuzz)

# ---- The tool check: every probe builds or runs the real thing.

main_program='int main() { return 0; }'
fuzz_target='#include <cstddef>
#include <cstdint>
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t) { return 0; }'
gtest_program='#include <gtest/gtest.h>
TEST(Probe, Links) {}'
zlib_program='#include <zlib.h>
int main() { return static_cast<int>(crc32(0L, Z_NULL, 0)); }'
crypto_program='#include <openssl/evp.h>
int main() { return EVP_md5() == nullptr; }'
unistring_program='#include <uninorm.h>
int main() { return UNINORM_NFC == nullptr; }'
archive_program='#include <archive.h>
int main() { return archive_version_number() == 0; }'
probes=
missing=0

# Counts WHAT, which Debian package PACKAGE brings, as missing unless COMMAND... succeeds.
need() {
    local what=$1 package=$2
    shift 2
    if ! "$@" >"$probes/log" 2>&1; then
        echo "missing: $what (Debian package $package)"
        missing=$((missing + 1))
    fi
}

# Compiles and links the C++ SOURCE with COMPILER and its FLAGS... in the probe folder.
links() {
    local source=$1 compiler=$2
    shift 2
    "$compiler" -x c++ - -o "$probes/a.out" "$@" <<<"$source"
}

# A runtime's probe says nothing new when its compiler is missing.
have() {
    command -v "$1" >/dev/null
}

check_build_tools() {
    need cmake cmake cmake --version
    need ninja ninja-build ninja --version
    need "nlohmann-json's header" nlohmann-json3-dev test -f /usr/include/nlohmann/json.hpp
}

# What quelt-ls links natively, and the CRC32 tool its tests compare with.
check_native_libraries() {
    if have g++; then
        need "zlib, for building" zlib1g-dev links "$zlib_program" g++ -lz
        need "OpenSSL's libcrypto, for building" libssl-dev links "$crypto_program" g++ -lcrypto
        need "GNU libunistring, for building" libunistring-dev \
            links "$unistring_program" g++ -lunistring
        need "libarchive, for building" libarchive-dev links "$archive_program" g++ -larchive
    fi
    need "crc32" libarchive-zip-perl command -v crc32
    need jq jq command -v jq
}

check_gcc() {
    need g++ g++ links "$main_program" g++
    if have g++; then
        need "GoogleTest, installed" libgtest-dev \
            links "$gtest_program" g++ -lgtest_main -lgtest -pthread
    fi
}

check_clang() {
    need clang++ clang links "$main_program" clang++
}

check_sanitizers() {
    if have clang++; then
        need "clang++'s AddressSanitizer and UBSan runtimes" libclang-rt-dev \
            links "$main_program" clang++ -fsanitize=address,undefined
    fi
}

check_fuzzer() {
    if have clang++; then
        need "clang++'s libFuzzer" libclang-rt-dev \
            links "$fuzz_target" clang++ -fsanitize=fuzzer,address,undefined
    fi
}

check_windows() {
    need "mingw-w64 g++ (posix threads)" g++-mingw-w64-x86-64-posix \
        links "$main_program" x86_64-w64-mingw32-g++-posix -static
    need "GoogleTest's sources in /usr/src/googletest" googletest \
        test -f /usr/src/googletest/CMakeLists.txt
    need "zlib for mingw-w64" libz-mingw-w64-dev test -f /usr/x86_64-w64-mingw32/lib/libz.a
    # tools/build-windows-libarchive.sh fetches Debian's libarchive source with
    # these and unpacks it (dpkg-source), then builds it with CMake.
    need "apt-get" apt command -v apt-get
    need "dpkg-source" dpkg-dev command -v dpkg-source
    need "Debian's archive keyring" debian-archive-keyring \
        test -f /usr/share/keyrings/debian-archive-keyring.gpg
    need "wine and wineserver" wine sh -c 'wine --version && command -v wineserver'
}

check_mandoc() {
    need mandoc mandoc command -v mandoc
}

check_packaging() {
    need dpkg-shlibdeps dpkg-dev command -v dpkg-shlibdeps
    need file file file --version
    need lintian lintian lintian --version
}

# The checks a stage needs, in the order they run.
checks_of() {
    case $1 in
        man) echo mandoc ;;
        gcc) echo build_tools gcc native_libraries ;;
        clang-sanitize) echo build_tools clang sanitizers native_libraries ;;
        windows) echo build_tools windows ;;
        packages) echo build_tools gcc native_libraries windows mandoc packaging ;;
        fuzz) echo build_tools clang fuzzer native_libraries ;;
        *) return 1 ;;
    esac
}

# Runs the checks of the STAGES..., each once; fails when anything is missing.
check_tools() {
    local checks=() check
    for stage in "$@"; do
        for check in $(checks_of "$stage"); do
            if [[ " ${checks[*]} " != *" $check "* ]]; then checks+=("$check"); fi
        done
    done
    echo "== tools =="
    probes=$(mktemp -d "${TMPDIR:-/tmp}/quelt-tools.XXXXXX")
    for check in "${checks[@]}"; do "check_$check"; done
    rm -rf "$probes"
    if [ "$missing" -gt 0 ]; then
        echo "install what is missing, or every package the tests need with:"
        echo "  bash tools/install-packages.sh    (the list: tools/packages.txt)"
        return 1
    fi
    echo "all here"
}

# ---- The stages.

# GoogleTest's reason for each skipped test, which CTest's summary leaves out.
report_skips() {
    local log=$1/Testing/Temporary/LastTest.log
    [ -f "$log" ] || return 0
    tr -d '\r' <"$log" | awk '
        /^\[ RUN      \] / { test = $4 }
        /: Skipped$/ { getline reason; print "skipped " test ": " reason }
    '
}

build_and_test() {
    local name=$1
    shift
    echo "== $name =="
    cmake -S . -B "build/$name" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "build/$name" -j "$jobs"
    ctest --test-dir "build/$name" --output-on-failure -j "$jobs"
    report_skips "build/$name"
}

# The tests of the Windows build run under Wine, in the prefix the toolchain file's
# emulator names. One Wine server serves the whole run, and Wine's own services are
# started here, not by a test, where they would hold CTest's output open.
windows_build_and_test() {
    echo "== windows =="
    local build=build/windows
    bash tools/build-windows-libarchive.sh
    # Release: the build users get, and quicker to build than one with debug info.
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
    cmake --build "$build" -j "$jobs"
    export WINEPREFIX="$PWD/$build/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
    mkdir -p "$WINEPREFIX"
    wineserver -p
    trap 'wineserver -k' EXIT
    wine wineboot </dev/null >/dev/null 2>&1
    # Wine now and then fails to start a process at all (no output, a failed
    # status, nothing of the test run): such a test is run once more.
    ctest --test-dir "$build" --output-on-failure -j "$jobs" --repeat until-pass:2
    wineserver -k
    trap - EXIT
    report_skips "$build"
}

# Fuzzing: every libFuzzer target for a bounded time, all at once; any finding fails.
fuzz() {
    echo "== fuzz =="
    bash fuzz/run-fuzzers.sh
}

# The packages users install, made and tried as a user would.
packages() {
    echo "== packages =="
    bash tools/package.sh
    bash tools/check-packages.sh
}

run_stage() {
    case $1 in
        man) echo "== man pages ==" && bash tools/lint-man.sh ;;
        packages) packages ;;
        gcc) build_and_test gcc -DCMAKE_CXX_COMPILER=g++ ;;
        clang-sanitize)
            build_and_test clang-sanitize -DCMAKE_CXX_COMPILER=clang++ -DQUELT_SANITIZE=ON ;;
        windows) windows_build_and_test ;;
        fuzz) fuzz ;;
    esac
}

stages=("$@")
if [ "${#stages[@]}" -eq 0 ]; then stages=("${all_stages[@]}"); fi
for stage in "${stages[@]}"; do
    if ! checks_of "$stage" >/dev/null; then
        echo "unknown stage: $stage (the stages: ${all_stages[*]})" >&2
        exit 2
    fi
done
check_tools "${stages[@]}"
# Each stage's time, so a slow run shows where its minutes went.
for stage in "${stages[@]}"; do
    started=$SECONDS
    run_stage "$stage"
    echo "-- $stage: $((SECONDS - started)) s"
done
