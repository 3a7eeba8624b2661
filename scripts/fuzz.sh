#!/bin/bash
# Runs every fuzz target of build/fuzz for SECONDS each, starting from its
# seed corpus. A crash fails the run.
#
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
found=0
for target in "$root"/build/fuzz/fuzz/*Fuzz; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$root/build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds="$root/fuzz/corpus/$name"
  echo "--- $name: ${seconds}s"
  mkdir -p "$root/build/fuzz/findings"
  "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=0 \
    -artifact_prefix="$root/build/fuzz/findings/$name-" \
    "$corpus" $( [ -d "$seeds" ] && echo "$seeds") 2>&1 | tail -n 3
  found=$((found + 1))
done
echo "fuzz: $found passed, 0 failed"
