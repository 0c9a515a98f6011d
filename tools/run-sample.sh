#!/usr/bin/env bash
# Builds quelt, makes the bundled sample image set and runs quelt on it in a fresh
# output folder, then lists what it wrote.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUELT_BUILD_TESTS=OFF >/dev/null
cmake --build build/release
rm -rf sample-output
mkdir sample-output
build/release/samples/quelt-sample-set sample-output/sample.d88
cd sample-output
status=0
../build/release/quelt sample.d88 || status=$?
echo "quelt exit status: $status"
ls -l
exit "$status"
