#!/bin/bash
# The demo: the reference data source starts the real Prismel.exe under Wine
# on a virtual display, connects, lets it show its capture window, takes a
# screenshot, closes it, and prints the records it received.
#
# Leaves build/demo/capture-window.png and build/demo/records.jsonl.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target Prismel RefDataSource $(
  grep -qs 'kelpra' build/win32/Makefile && echo kelpra) >/dev/null

out="$root/build/demo"
mkdir -p "$out"
rm -f "$out/ready" "$out/shot-taken" "$out/capture-window.png"
export PRISMEL_WINEPREFIX="$root/build/win32/wineprefix"

xvfb-run -a -s "-screen 0 1400x900x24" bash -c '
  set -eu
  out=$1
  "$2/scripts/wine-run.sh" "$2/build/win32/bin/RefDataSource.exe" --log "Z:$out/records.jsonl" \
    send:202 send:204:SHOWUI wait:1500 "signal:Z:$out/ready" "waitfor:Z:$out/shot-taken" \
    send:211 waitexit > /dev/null &
  source=$!
  for _ in $(seq 1 600); do [ -f "$out/ready" ] && break; sleep 0.1; done
  import -window root "$out/capture-window.png"
  touch "$out/shot-taken"
  wait $source
' demo "$out" "$root"

echo "Records the data source received:"
grep '"kind"' "$out/records.jsonl"
echo "Screenshot of the capture window: $out/capture-window.png"
