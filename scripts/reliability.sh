#!/bin/bash
# The reliability runs, and the table of docs/reliability.md made from what
# they report.
#
#   scripts/reliability.sh          the quick runs (as the normal test run has
#                                   them), fuzzing 60 s a target
#   scripts/reliability.sh --long   the long runs: 10,000 automatic
#                                   shots natively, 300
#                                   captures under Wine, every fuzz target for
#                                   10 million inputs or 30 minutes
#   --no-native, --no-wine, --no-fuzz
#                                   leave those parts out
#   --keep-figures FILE             append this run's figures to FILE too
#   --figures-from FILE             put the figures of an earlier run (kept
#                                   with --keep-figures, or PRISMEL_FIGURES=
#                                   FILE scripts/fuzz.sh 1800 10000000) in
#                                   the table as well
#
# Each run appends what held to a figures file; the table between the
# markers in docs/reliability.md is then rewritten from it (with the date,
# the mode and any run that failed). The script fails when any run failed.
# Heavy runs are started with nice -n 19: the machine is shared. The fuzz
# targets run one per core (PRISMEL_FUZZ_JOBS to choose otherwise).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
mode=quick native=1 fuzz=1 wine=1 keep_figures= earlier_figures=
while [ $# -gt 0 ]; do
  case "$1" in
    --long) mode=long ;;
    --no-native) native=0 ;;
    --no-fuzz) fuzz=0 ;;
    --no-wine) wine=0 ;;
    --keep-figures) keep_figures=${2:?--keep-figures takes a file}; shift ;;
    --figures-from) earlier_figures=${2:?--figures-from takes a file}; shift ;;
    *) echo "usage: scripts/reliability.sh [--long] [--no-native] [--no-wine] [--no-fuzz]" \
            "[--keep-figures FILE] [--figures-from FILE]" >&2; exit 2 ;;
  esac
  shift
done
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
figures=$(mktemp)
failures=()
trap 'rm -f "$figures"' EXIT
export PRISMEL_FIGURES="$figures"

if [ "$mode" = long ]; then
  export PRISMEL_RELIABILITY_SOAK_SHOTS=10000 PRISMEL_RELIABILITY_HOSTILE_RECORDS=10000
  wine_captures=300 fuzz_args=(1800 10000000)
else
  wine_captures=100 fuzz_args=(60)
fi

build() {  # PRESET TARGET...
  cmake --preset "$1" >/dev/null && nice -n 19 cmake --build --preset "$1" --target "${@:2}"
}

if [ "$native" = 1 ]; then
  echo "=== native sessions ($mode)"
  if build linux reliability_tests; then
    nice -n 19 build/linux/tests/reliability/reliability_tests || failures+=("native sessions")
  else
    failures+=("native build")
  fi
fi

if [ "$wine" = 1 ]; then
  echo "=== under Wine (win64)"
  if build win64 Prismel RefDataSource kelpra; then
    export PRISMEL_WINEPREFIX="$root/build/win64/wineprefix" PRISMEL_WINEARCH=win64
    for session in "hostile 10000" "soak $wine_captures"; do
      # shellcheck disable=SC2086
      nice -n 19 scripts/desktop-run.sh \
        tests/win32/e2e/reliability-sessions.sh build/win64/bin $session ||
        failures+=("Wine ${session%% *}")
    done
  else
    failures+=("win64 build")
  fi
fi

if [ "$fuzz" = 1 ]; then
  echo "=== fuzzing (${fuzz_args[*]})"
  if cmake --preset fuzz >/dev/null && nice -n 19 cmake --build --preset fuzz; then
    PRISMEL_FUZZ_JOBS=${PRISMEL_FUZZ_JOBS:-$(nproc)} nice -n 19 scripts/fuzz.sh "${fuzz_args[@]}" ||
      failures+=("fuzzing")
  else
    failures+=("fuzz build")
  fi
fi

if [ -n "$keep_figures" ]; then
  cat "$figures" >> "$keep_figures" || failures+=("keeping the figures")
fi
if [ -n "$earlier_figures" ]; then
  cat "$earlier_figures" >> "$figures" || failures+=("figures of an earlier run")
fi

# The table: the sessions of each export summed up in two rows, every other
# figure as it came; the exports one by one in a second table.
table=$(mktemp)
{
  echo "Run of $(date -u +%Y-%m-%d) ($mode), on $(nproc) cores${earlier_figures:+, with figures of an earlier run of this script}."
  echo
  echo "| Scenario | Runs | What held |"
  echo "|---|---|---|"
  awk -F'\t' '
    /^Missing |^Failing / {
      kind = ($1 ~ /^Missing/) ? "missing" : "failing"
      n[kind]++
      if ($3 ~ /FAILED/) bad[kind]++
      else if ($3 ~ /refused/) refused[kind] = refused[kind] " " $1
      else { split($3, w, " "); files[kind] += w[1] }
      next
    }
    { rows[++r] = "| " $1 " | " $2 " | " $3 " |" }
    END {
      for (k in n) {
        label = (k == "missing") ? "Each export missing (a library without it)" : "Each export failing on every call"
        held = files[k] " files handed over in all; window usable and settings intact in every started session"
        if (refused[k] != "") held = held "; start-up refused with a message, settings untouched:" refused[k]
        if (bad[k] > 0) held = "FAILED in " bad[k] " sessions"
        print "| " label " | " n[k] " sessions | " held " |"
      }
      for (i = 1; i <= r; i++) print rows[i]
    }' "$figures"
  for failure in "${failures[@]}"; do echo "| $failure | — | FAILED: see the script's output |"; done
  echo
  echo "| Export | Missing | Failing on every call |"
  echo "|---|---|---|"
  awk -F'\t' '
    /^Missing |^Failing / {
      name = $1; sub(/^(Missing|Failing) /, "", name)
      if (!(name in seen)) { seen[name] = 1; order[++n] = name }
      if ($1 ~ /^Missing/) missing[name] = $3; else failing[name] = $3
    }
    END { for (i = 1; i <= n; i++) print "| `" order[i] "` | " missing[order[i]] " | " failing[order[i]] " |" }' "$figures"
} > "$table"

doc=docs/reliability.md
if grep -q '^<!-- table -->$' "$doc" && grep -q '^<!-- end of table -->$' "$doc"; then
  { sed '/^<!-- table -->$/q' "$doc"; cat "$table"; sed -n '/^<!-- end of table -->$/,$p' "$doc"; } \
    > "$doc.new" && mv "$doc.new" "$doc"
  echo "reliability: table written to $doc"
else
  cat "$table"
fi
rm -f "$table"
if [ ${#failures[@]} -gt 0 ]; then
  echo "reliability: FAILED: ${failures[*]}"
  exit 1
fi
echo "reliability: every run held"
