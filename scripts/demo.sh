#!/bin/bash
# The demo: the reference data source starts the real Prismel.exe under Wine
# on a virtual display with the reference camera library, connects, lets it
# show its capture window with the live picture, switches the language box
# to Chinese and back, switches the secondary camera on (its picture over
# the top-right third of the live one), closes it, and prints the records it
# received.
#
# The shipped program is the 32-bit build. On a machine whose kernel refuses
# 32-bit programs the demo runs the 64-bit build of the same code under
# 64-bit Wine instead, and says so.
#
# Leaves build/demo/capture-window-en.png, capture-window-cn.png,
# capture-window-secondary.png and records.jsonl.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/install-deps.sh
preset=win32
if ! reason=$(scripts/wine-can-run.sh 2>&1); then
  preset=win64
  echo "demo: ${reason%.}; showing the 64-bit build of the same code under 64-bit Wine"
fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target Prismel RefDataSource kelpra >/dev/null

out="$root/build/demo"
mkdir -p "$out"
rm -f "$out"/*.png "$out/records.jsonl"
export PRISMEL_WINEARCH="$preset"
export PRISMEL_WINEPREFIX="$root/build/$preset/wineprefix"

# The language box lists the languages in the order of the language list.
cn_index=$(grep -o '>[A-Z][A-Z]<' "$root/resources/Language/Language.xml" | tr -d '<>' |
  grep -n '^CN$' | cut -d: -f1)

xvfb-run -a -s "-screen 0 1400x900x24" bash -c '
  set -eu
  out=$1 root=$2 cn=$3 bin=$4
  signals=$(mktemp -d)
  "$root/scripts/wine-run.sh" "$bin/RefDataSource.exe" \
    --log "Z:$out/records.jsonl" send:202 send:204:SHOWUI wait:1500 \
    "signal:Z:$signals/en" "waitfor:Z:$signals/en.done" \
    "select:1099:$((cn - 1))" wait:500 "signal:Z:$signals/cn" "waitfor:Z:$signals/cn.done" \
    "select:1099:0" check:1014:1 wait:1500 "signal:Z:$signals/secondary" \
    "waitfor:Z:$signals/secondary.done" send:211 waitexit > /dev/null &
  source=$!
  for language in en cn secondary; do
    for _ in $(seq 1 600); do [ -f "$signals/$language" ] && break; sleep 0.1; done
    import -window root "$out/capture-window-$language.png"
    touch "$signals/$language.done"
  done
  wait $source
  # The helper processes of Wine end before the virtual display does.
  WINEPREFIX="$PRISMEL_WINEPREFIX" wineserver -w
  rm -rf "$signals"
' demo "$out" "$root" "$cn_index" "$root/build/$preset/bin"

echo "Records the data source received:"
grep '"kind"' "$out/records.jsonl"
echo "Screenshots of the capture window: $out/capture-window-en.png, $out/capture-window-cn.png," \
  "$out/capture-window-secondary.png"
