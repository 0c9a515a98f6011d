#!/usr/bin/env bash
# Builds and runs every test: the suite with g++, the suite with clang++ under
# AddressSanitizer and UndefinedBehaviorSanitizer.
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
