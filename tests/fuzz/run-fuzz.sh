#!/usr/bin/env bash
# Runs one fuzz target for a bounded time, starting from its seed corpus (copied,
# so the checked-in corpus stays as it is). Any finding fails the test.
set -euo pipefail
fuzzer=$1 seeds=$2 work=$3 seconds=$4
rm -rf "$work"
mkdir -p "$work/corpus" "$work/artifacts"
[ -d "$seeds" ] && cp -r "$seeds/." "$work/corpus/"
cd "$work"
exec "$fuzzer" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -timeout=20 \
  -artifact_prefix="$work/artifacts/" -print_final_stats=1 corpus
