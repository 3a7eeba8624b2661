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
# PRISMEL_FUZZ_JOBS=N runs N targets side by side (default 1; each target
# is one process, so more than the machine's cores gains nothing).
# With PRISMEL_FIGURES set, one line per target is appended to that file
# (target, inputs run and time, clean or not) for scripts/reliability.sh.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
runs=${2:-}
shift $(( $# < 2 ? $# : 2 ))
jobs_max=${PRISMEL_FUZZ_JOBS:-1}
findings="$root/build/fuzz/findings"
verdicts=$(mktemp -d)
trap 'rm -rf "$verdicts"' EXIT
mkdir -p "$findings"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for target in "$root"/build/fuzz/fuzz/*Fuzz; do [ -x "$target" ] && targets+=("$(basename "$target")"); done
fi

# Runs one target and leaves "clean" or "failed" in the verdicts folder.
run_target() {  # NAME
  local name=$1 target="$root/build/fuzz/fuzz/$1"
  [ -x "$target" ] || { echo "fuzz: no target $name"; echo failed > "$verdicts/$name"; return; }
  local corpus="$root/build/fuzz/corpus/$name" seeds="$root/fuzz/corpus/$name"
  local log="$findings/$name.log" started verdict executed elapsed
  mkdir -p "$corpus"
  echo "--- $name: ${seconds}s${runs:+ or $runs inputs}"
  started=$(date +%s)
  if "$target" -max_total_time="$seconds" ${runs:+-runs="$runs"} -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$findings/$name-" \
      "$corpus" $( [ -d "$seeds" ] && echo "$seeds") >"$log" 2>&1; then
    echo clean > "$verdicts/$name"
    verdict=clean
  else
    echo failed > "$verdicts/$name"
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
}

for name in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs_max" ]; do wait -n; done
  run_target "$name" &
done
wait

passed=$(grep -lx clean "$verdicts"/* 2>/dev/null | wc -l)
failed=$(grep -lx failed "$verdicts"/* 2>/dev/null | wc -l)
echo "fuzz: $passed passed, $failed failed"
if [ $((passed + failed)) -eq 0 ]; then
  echo "fuzz: no target was built in build/fuzz/fuzz" >&2
  exit 1
fi
[ "$failed" -eq 0 ]
