#!/bin/bash
# Runs every fuzz target of build/fuzz from its seed corpus, for SECONDS
# each, or until it has run RUNS inputs when RUNS is given (whichever comes
# first). Every target runs even after one fails; the run fails when any
# target found a crash, or when no target was built at all. Inputs that
# crashed are kept in build/fuzz/findings; once fixed, they belong in the
# target's seed corpus (fuzz/corpus/<target>/).
#
#   scripts/fuzz.sh [SECONDS] [RUNS] [TARGET ...]
#
# With PRISMEL_FIGURES set, one line per target is appended to that file
# (target, inputs run and time, clean or not) for scripts/reliability.sh.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
runs=${2:-}
shift $(( $# < 2 ? $# : 2 ))
passed=0
failed=0
mkdir -p "$root/build/fuzz/findings"
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for target in "$root"/build/fuzz/fuzz/*Fuzz; do [ -x "$target" ] && targets+=("$(basename "$target")"); done
fi
for name in "${targets[@]}"; do
  target="$root/build/fuzz/fuzz/$name"
  [ -x "$target" ] || { echo "fuzz: no target $name"; failed=$((failed + 1)); continue; }
  corpus="$root/build/fuzz/corpus/$name"
  seeds="$root/fuzz/corpus/$name"
  mkdir -p "$corpus"
  echo "--- $name: ${seconds}s${runs:+ or $runs inputs}"
  log="$root/build/fuzz/findings/$name.log"
  started=$(date +%s)
  if "$target" -max_total_time="$seconds" ${runs:+-runs="$runs"} -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$root/build/fuzz/findings/$name-" \
      "$corpus" $( [ -d "$seeds" ] && echo "$seeds") >"$log" 2>&1; then
    passed=$((passed + 1))
    verdict=clean
  else
    failed=$((failed + 1))
    verdict="FAILED (build/fuzz/findings/$name.log)"
    echo "$name FAILED; its output is in $log:"
    tail -n 30 "$log"
  fi
  executed=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+).*/\1/p' "$log" | tail -n 1)
  elapsed=$(( $(date +%s) - started ))
  echo "$name: ${executed:-?} inputs in ${elapsed}s, $verdict"
  [ -z "${PRISMEL_FIGURES:-}" ] ||
    printf 'Fuzzing %s\t%s inputs in %ss\t%s under ASan and UBSan\n' \
      "$name" "${executed:-?}" "$elapsed" "$verdict" >> "$PRISMEL_FIGURES"
done
echo "fuzz: $passed passed, $failed failed"
if [ $((passed + failed)) -eq 0 ]; then
  echo "fuzz: no target was built in build/fuzz/fuzz" >&2
  exit 1
fi
[ "$failed" -eq 0 ]
