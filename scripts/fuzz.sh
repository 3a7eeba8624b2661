#!/bin/bash
# Runs every fuzz target of build/fuzz for SECONDS each, starting from its
# seed corpus. Every target runs even after one fails; the run fails when
# any target found a crash, or when no target was built at all.
#
#   scripts/fuzz.sh [SECONDS]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
passed=0
failed=0
mkdir -p "$root/build/fuzz/findings"
for target in "$root"/build/fuzz/fuzz/*Fuzz; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$root/build/fuzz/corpus/$name"
  seeds="$root/fuzz/corpus/$name"
  mkdir -p "$corpus"
  echo "--- $name: ${seconds}s"
  log="$root/build/fuzz/findings/$name.log"
  if "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=0 \
      -artifact_prefix="$root/build/fuzz/findings/$name-" \
      "$corpus" $( [ -d "$seeds" ] && echo "$seeds") >"$log" 2>&1; then
    passed=$((passed + 1))
    tail -n 2 "$log"
  else
    failed=$((failed + 1))
    echo "$name FAILED; its output is in $log:"
    tail -n 30 "$log"
  fi
done
echo "fuzz: $passed passed, $failed failed"
if [ $((passed + failed)) -eq 0 ]; then
  echo "fuzz: no target was built in build/fuzz/fuzz" >&2
  exit 1
fi
[ "$failed" -eq 0 ]
