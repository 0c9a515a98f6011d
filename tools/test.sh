#!/usr/bin/env bash
# Builds and runs every test: the suite with g++, the suite with clang++ under
# AddressSanitizer and UndefinedBehaviorSanitizer, the Windows build (mingw-w64)
# with its suite under Wine, and a bounded fuzzing stage (fuzz/run-fuzzers.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

build_and_test() {
    local name=$1
    shift
    echo "== $name =="
    cmake -S . -B "build/$name" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "build/$name" -j "$jobs"
    ctest --test-dir "build/$name" --output-on-failure -j "$jobs"
}

build_and_test gcc -DCMAKE_CXX_COMPILER=g++
build_and_test clang-sanitize -DCMAKE_CXX_COMPILER=clang++ -DQUELT_SANITIZE=ON

# The tests of the Windows build run under Wine, in the prefix the toolchain file's
# emulator names. One Wine server serves the whole run, and Wine's own services are
# started here, not by a test, where they would hold CTest's output open.
windows_build_and_test() {
    echo "== windows =="
    if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null || ! command -v wine >/dev/null; then
        echo "no mingw-w64 g++ or no Wine here (.ci/run installs them)"
        if [ "${CI:-}" = true ]; then return 1; fi
        echo "skipped"
        return 0
    fi
    local build=build/windows
    # Release: the build users get, and quicker to build than one with debug info.
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
    cmake --build "$build" -j "$jobs"
    export WINEPREFIX="$PWD/$build/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
    mkdir -p "$WINEPREFIX"
    wineserver -p
    trap 'wineserver -k' EXIT
    wine wineboot </dev/null >/dev/null 2>&1
    ctest --test-dir "$build" --output-on-failure -j "$jobs"
    wineserver -k
    trap - EXIT
}

windows_build_and_test

# Fuzzing: both libFuzzer targets for a bounded time each, at once; any finding fails.
echo "== fuzz =="
bash fuzz/run-fuzzers.sh
