#!/usr/bin/env bash
# Lints the manual pages in man/ with mandoc at the warning level; any message
# fails the check, so the pages stay clean for every man reader.
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v mandoc >/dev/null; then
    echo "no mandoc here (apt-get install mandoc)"
    if [ "${CI:-}" = true ]; then exit 1; fi
    echo "skipped"
    exit 0
fi

shopt -s nullglob
pages=(man/*.[1-9])
if [ ${#pages[@]} -eq 0 ]; then
    echo "no manual pages in man/"
    exit 1
fi

# Any message fails the check, and so does any status but 0: -W warning keeps
# the style hints out, which depend on which pages the machine has installed.
status=0
messages=$(mandoc -Tlint -W warning "${pages[@]}" 2>&1) || status=$?
if [ -n "$messages" ] || [ "$status" -ne 0 ]; then
    printf '%s\n' "$messages"
    echo "mandoc -Tlint: ${#pages[@]} pages, not clean (status $status)"
    exit 1
fi
echo "mandoc -Tlint: ${#pages[@]} pages clean"
