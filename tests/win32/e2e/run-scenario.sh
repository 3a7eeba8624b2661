#!/bin/bash
# Plays one scenario of the reference data source against the real
# Prismel.exe under Wine and compares the records it received with the
# expected ones.
#
#   run-scenario.sh BIN_DIR EXPECTED_FILE [DATA_SOURCE_OPTION ...] STEP ...
set -euo pipefail
bin=$1 expected=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
log="$work/log"
# A program folder of its own: no settings left by another session.
cp -r "$bin/Prismel.exe" "$bin/Kelpra.dll" "$bin/Language" "$bin/RefDataSource.exe" "$work/"

"$here/../../../scripts/wine-run.sh" "$work/RefDataSource.exe" "$@" > "$log" 2>/dev/null || {
  echo "reference data source failed:"; cat "$log"; exit 1; }

actual=$(grep '"kind"' "$log" | sed -E 's/.*"code":([-0-9]+),"text":"([^"]*)".*/\1 \2/; s/ $//')
if ! diff <(printf '%s\n' "$actual") "$expected"; then
  echo "--- full log:"; cat "$log"; exit 1
fi
grep -q '"event":"prismel-exited"' "$log" || { echo "Prismel did not exit"; cat "$log"; exit 1; }
