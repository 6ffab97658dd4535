#!/usr/bin/env bash
# Runs a libFuzzer target for a bounded time: run-fuzzer.sh FUZZER SEEDS SECONDS [OPTION...]
# Inputs it finds go into a working corpus beside the fuzzer, never into the source tree,
# and a finding leaves its input there (crash-*, timeout-*, ...) and fails the run. The
# final statistics give the number of executions.
set -euo pipefail
fuzzer=$1 seeds=$2 seconds=$3
shift 3
work="$fuzzer-work"
mkdir -p "$work/corpus"
options=(-max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048
         -artifact_prefix="$work/" "$@")
[ -f "$seeds.dict" ] && options+=(-dict="$seeds.dict")
exec "$fuzzer" "${options[@]}" "$work/corpus" "$seeds"
