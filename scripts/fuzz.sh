#!/bin/bash
# Runs the fuzz targets of build/fuzz, in one of two ways.
#
#   scripts/fuzz.sh --regression [TARGET ...]
#       The test command's run, the same on every machine: each target
#       replays its seed corpus (fuzz/corpus/<target>/), then runs a fixed
#       number of new inputs (the table below) from a fixed seed, in a
#       working corpus of its own that starts empty. The same commit prints
#       the same figures and gives the same result everywhere.
#   scripts/fuzz.sh SECONDS [RUNS] [TARGET ...]
#       Exploration, a measuring run: a random seed, SECONDS per target or
#       RUNS inputs when RUNS is given (whichever comes first), growing the
#       working corpus in build/fuzz/corpus across runs.
#
# Every target runs even after one fails; the run fails when any target
# found a crash, or when no target was built at all. Inputs that crashed are
# kept in build/fuzz/findings; once fixed, they belong in the target's seed
# corpus, so that the regression run replays them from then on.
#
# PRISMEL_FUZZ_JOBS=N runs N targets side by side (default 1); the figures
# of a regression run do not depend on it.
# With PRISMEL_FIGURES set, one line per target is appended to that file
# (target, inputs run and time, clean or not) for scripts/reliability.sh.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# New inputs per target in the regression run, sized so that each target
# takes about half a minute on one core of this project's machines.
declare -A regression_inputs=(
  [BmpStreamFuzz]=180000
  [JpegStreamFuzz]=90000
  [KelpraConfigFuzz]=450000
  [KelpraImageFuzz]=60000
  [LanguageFileFuzz]=300000
  [LanguageListFuzz]=300000
  [LinkRecordFuzz]=900000
  [MultipleCropListFuzz]=900000
  [PngStreamFuzz]=120000
  [SettingsLoaderFuzz]=180000
  [TypedSizeFuzz]=900000
)
regression_default_inputs=150000
regression_seed=20261208

regression=false
fixed_addresses=()
if [ "${1:-}" = --regression ]; then
  regression=true
  shift
  # Addresses that differ from run to run steer the sanitizers' and the
  # fuzzer's choices a little; without address randomisation a run repeats
  # exactly.
  if setarch "$(uname -m)" -R true 2>/dev/null; then
    fixed_addresses=(setarch "$(uname -m)" -R)
  else
    echo "fuzz: address randomisation cannot be switched off here; coverage figures may vary"
  fi
else
  seconds=${1:-60}
  runs=${2:-}
  shift $(( $# < 2 ? $# : 2 ))
fi
jobs_max=${PRISMEL_FUZZ_JOBS:-1}
findings="$root/build/fuzz/findings"
verdicts=$(mktemp -d)
# libFuzzer reads a corpus folder in the order the file system lists it,
# which on most disk file systems depends on a seed of the file system
# itself; a memory file system lists in the order the files were made, so
# the regression run copies its seeds into one there, in the order of their
# names.
working=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
trap 'rm -rf "$verdicts" "$working"' EXIT
mkdir -p "$findings"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for target in "$root"/build/fuzz/fuzz/*Fuzz; do [ -x "$target" ] && targets+=("$(basename "$target")"); done
fi

# The options and the working corpus of one target's run, in `limits` and
# `corpus`; prints what the run will do.
plan_run() {  # NAME SEEDS
  local name=$1 seeds=$2 replayed=0
  [ -d "$seeds" ] && replayed=$(find "$seeds" -type f | wc -l)
  if $regression; then
    local new=${regression_inputs[$name]:-$regression_default_inputs} seed
    corpus="$working/$name"
    mkdir -p "$corpus"
    if [ -d "$seeds" ]; then
      while IFS= read -r seed; do cp "$seeds/$seed" "$corpus/"; done < <(ls "$seeds" | LC_ALL=C sort)
    fi
    # libFuzzer counts the replayed seeds among its runs. It rereads the
    # corpus folder once a second unless told not to: a clock in the run.
    limits=(-seed="$regression_seed" -runs=$((replayed + new)) -reload=0)
    corpora=("$corpus")
    echo "--- $name: $replayed seed inputs, then $new new inputs from seed $regression_seed"
  else
    corpus="$root/build/fuzz/corpus/$name"
    mkdir -p "$corpus"
    limits=(-max_total_time="$seconds" ${runs:+-runs="$runs"})
    corpora=("$corpus")
    [ -d "$seeds" ] && corpora+=("$seeds")
    echo "--- $name: ${seconds}s${runs:+ or $runs inputs}"
  fi
}

# Runs one target and leaves "clean" or "failed" in the verdicts folder.
run_target() {  # NAME
  local name=$1 target="$root/build/fuzz/fuzz/$1"
  [ -x "$target" ] || { echo "fuzz: no target $name"; echo failed > "$verdicts/$name"; return; }
  local seeds="$root/fuzz/corpus/$name" log="$findings/$name.log" started verdict executed
  local elapsed corpus limits corpora
  plan_run "$name" "$seeds"
  started=$(date +%s)
  if "${fixed_addresses[@]}" "$target" "${limits[@]}" -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$findings/$name-" \
      "${corpora[@]}" >"$log" 2>&1; then
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
  if $regression; then
    # The time is left out: the figures of a regression run, the coverage
    # reached included, are the same on every machine.
    local reached
    reached=$(sed -nE 's/^#[0-9]+[[:space:]]+DONE[[:space:]]+(cov: [0-9]+ ft: [0-9]+ corp: [0-9]+).*/\1/p' "$log" |
      tail -n 1)
    echo "$name: ${executed:-?} inputs, ${reached:-coverage unknown}, $verdict"
  else
    echo "$name: ${executed:-?} inputs in ${elapsed}s, $verdict"
  fi
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
