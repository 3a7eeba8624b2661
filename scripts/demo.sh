#!/bin/bash
# The demo: the reference data source starts the real Prismel.exe under Wine
# on a virtual display with the reference camera library and connects. The
# capture window shows the live picture; the language box switches to
# Chinese and back; the secondary camera is switched on (its picture over
# the top-right third of the live one) and off again. Then pictures are
# taken as a user would: in colour, in grey, turned a quarter, and a
# two-step merge of two shots side by side. Exit hands them over to the data
# source, which keeps a copy of every file it receives; the demo prints the
# records and lays the copies out on a contact sheet.
#
# The shipped program is the 32-bit build. On a machine whose kernel refuses
# 32-bit programs the demo runs the 64-bit build of the same code under
# 64-bit Wine instead, and says so.
#
# Leaves in build/demo/: capture-window-en.png, capture-window-cn.png,
# capture-window-secondary.png, capture-window-captured.png (the thumbnails
# before Exit), received/ (the copies), contact-sheet.png and records.jsonl.
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
bin="$root/build/$preset/bin"
program="$out/program"
rm -rf "$out/received" "$program"
rm -f "$out"/*.png "$out/records.jsonl"
mkdir -p "$out/received" "$program"
# A program folder of its own, so that no settings of an earlier run apply.
cp -r "$bin/Prismel.exe" "$bin/Kelpra.dll" "$bin/Language" "$bin/RefDataSource.exe" "$program/"
export PRISMEL_WINEARCH="$preset"
export PRISMEL_WINEPREFIX="$root/build/$preset/wineprefix"

# The language box lists the languages in the order of the language list.
cn_index=$(grep -o '>[A-Z][A-Z]<' "$root/resources/Language/Language.xml" | tr -d '<>' |
  grep -n '^CN$' | cut -d: -f1)

# Controls: 1099 language, 1014 secondary camera, 1109 Capture, 1004 colour
# mode (1 grey), 1026 rotation (1 a quarter turn), 1007 two-picture merge,
# 1030 Exit. Each shot is given time to be written before the next step.
steps=(
  send:202 send:204:SHOWUI wait:1500 signal:en
  "select:1099:$((cn_index - 1))" wait:500 signal:cn
  select:1099:0 check:1014:1 wait:1500 signal:secondary check:1014:0 wait:500
  click:1109 wait:1500
  select:1004:1 click:1109 wait:1500 select:1004:0
  select:1026:1 click:1109 wait:1500 select:1026:0
  check:1007:1 wait:500 click:1109 wait:1500 click:1109 wait:2000 check:1007:0 wait:500
  signal:captured click:1030 waitexit
)

xvfb-run -a -s "-screen 0 1400x900x24" bash -c '
  set -eu
  out=$1 root=$2 program=$3
  shift 3
  signals=$(mktemp -d)
  steps=()
  for step in "$@"; do
    case "$step" in
      signal:*) name=${step#signal:}
        steps+=("signal:Z:$signals/$name" "waitfor:Z:$signals/$name.done") ;;
      *) steps+=("$step") ;;
    esac
  done
  "$root/scripts/wine-run.sh" "$program/RefDataSource.exe" --log "Z:$out/records.jsonl" \
    --copies "Z:$out/received" "${steps[@]}" > /dev/null &
  source=$!
  for shot in en cn secondary captured; do
    for _ in $(seq 1 900); do [ -f "$signals/$shot" ] && break; sleep 0.1; done
    import -window root "$out/capture-window-$shot.png"
    touch "$signals/$shot.done"
  done
  wait $source
  # The helper processes of Wine end before the virtual display does.
  WINEPREFIX="$PRISMEL_WINEPREFIX" wineserver -w
  rm -rf "$signals"
' demo "$out" "$root" "$program" "${steps[@]}"

echo "Records the data source received:"
grep '"kind"' "$out/records.jsonl"

# The received files in the order they were handed over.
mapfile -t received < <(sed -nE \
  's/.*"code":208,"text":"[^"]*\\([^"\\]*)","exists":true.*/\1/p' "$out/records.jsonl")
sheet=()
for name in "${received[@]}"; do sheet+=("$out/received/$name"); done
if [ "${#sheet[@]}" -gt 0 ]; then
  # A font by file: ImageMagick's default font name is not installed.
  font=$(fc-match -f '%{file}' 'DejaVu Sans')
  montage -font "$font" -label '%f\n%wx%h' "${sheet[@]}" -geometry 320x240+10+10 -tile 4x \
    -background '#e8e8e8' "$out/contact-sheet.png"
  echo "Received files: $out/received/ (${#sheet[@]}), contact sheet: $out/contact-sheet.png"
fi
echo "Screenshots of the capture window: $out/capture-window-en.png," \
  "$out/capture-window-cn.png, $out/capture-window-secondary.png," \
  "$out/capture-window-captured.png"
