#!/usr/bin/env bash
# A long fuzzing campaign: every fuzz target at once for HOURS (fractional hours
# too: 0.02 is 72 seconds), in the fuzz build of fuzz/run-fuzzers.sh and with
# its limits. Each target's corpus is kept in CORPUS_DIR between campaigns, so
# that the next one goes on from where this one stopped. A target that stops on
# a finding is started again on its corpus until its time is up; the findings
# of each campaign are kept in a folder of their own, with a file REPRODUCE of
# the command that reproduces each. Prints the report lines of the fuzzing stage
# (and keeps them in the campaign's folder, with the logs); fails when anything
# was found.
#
#   bash tools/fuzz-campaign.sh HOURS [CORPUS_DIR]    (default build/fuzz-campaign)
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -lt 1 ] || [ $# -gt 2 ] || ! [[ $1 =~ ^[0-9]*\.?[0-9]+$ ]]; then
    echo "usage: bash tools/fuzz-campaign.sh HOURS [CORPUS_DIR]" >&2
    exit 2
fi
seconds=$(awk -v hours="$1" 'BEGIN { printf "%d", hours * 3600 + 0.5 }')
if [ "$seconds" -lt 1 ]; then
    echo "fuzz-campaign: $1 hours is less than a second" >&2
    exit 2
fi
root=${2:-build/fuzz-campaign}
mkdir -p "$root"
root=$(cd "$root" && pwd)

# The stage's build, seeds, limits and report, without running the stage.
# shellcheck source=../fuzz/run-fuzzers.sh
source fuzz/run-fuzzers.sh
build_targets
make_seeds
make_scratch
campaign="$root/campaign-$(date -u +%Y%m%dT%H%M%SZ)"
mkdir -p "$campaign"
echo "campaign: $seconds s per target, all at once; corpus in $root, findings in $campaign"

# TARGET until the campaign's end, started again after each finding.
campaign_of() {
    local target=$1 end=$((SECONDS + seconds)) left
    while left=$((end - SECONDS)) && [ "$left" -gt 0 ]; do
        run_target "$target" "$left" "$root/corpus-$target" "$campaign/findings-$target" \
            "$campaign/$target.log" || true
    done
}

pids=()
for target in "${targets[@]}"; do
    campaign_of "$target" &
    pids+=($!)
done
for pid in "${pids[@]}"; do
    wait "$pid"
done

status=0
for target in "${targets[@]}"; do
    findings="$campaign/findings-$target"
    reproducers "$target" "$findings" >"$findings/REPRODUCE"
    if [ -s "$findings/REPRODUCE" ]; then
        status=1
        echo "== $target: $(wc -l <"$findings/REPRODUCE") findings, each reproduces with:"
        cat "$findings/REPRODUCE"
    else
        rm "$findings/REPRODUCE"
    fi
done
for target in "${targets[@]}"; do
    report "$target" "$campaign/$target.log"
done | tee "$campaign/report"
exit "$status"
