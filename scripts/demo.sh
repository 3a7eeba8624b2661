#!/bin/bash
# The demo: one whole session of the real Prismel.exe under Wine on a
# virtual display, started and driven by the reference data source with the
# reference camera library, a screenshot of each step:
#
#   01-start          the capture window as it opens, in English
#   02-options        grey chosen, a picture taken with the capture key
#                     (Space, with the focus on the colour list), then one
#                     turned a quarter with the Capture button
#   03-watermark      the watermark dialog with its text typed in
#   04-merge          the merge preview with both pictures of a pair
#   05-auto-capture   the auto-capture dialog during a timed run
#   06-thumbnails     every picture of the session in the thumbnail list
#   07-chinese        the same window with the Chinese texts
#   08-french         and with the French ones
#
# Exit then hands the pictures over; the data source keeps a copy of every
# file it receives. ImageMagick lays the screenshots and the received files
# out on one overview picture.
#
# The shipped program is the 32-bit build. On a machine whose kernel refuses
# 32-bit programs the demo runs the 64-bit build of the same code under
# 64-bit Wine instead, and says so.
#
# Leaves in build/demo/: steps/NN-*.png, received/ (the copies),
# overview.png and records.jsonl (every record the data source received).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
started=$(date +%s)

scripts/install-deps.sh --demo
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
rm -rf "$out/received" "$out/steps" "$program"
rm -f "$out"/*.png "$out/records.jsonl" "$out/calls.txt"
mkdir -p "$out/received" "$out/steps" "$program"
# A program folder of its own, so that no settings of an earlier run apply;
# the watermark is switched on there, so that its settings can be opened.
cp -r "$bin/Prismel.exe" "$bin/Kelpra.dll" "$bin/Language" "$bin/RefDataSource.exe" "$program/"
cat > "$program/LastSetting.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8" ?>
<Tessivue>
    <cutType>0</cutType>
    <WaterMark>
        <isEnable>1</isEnable>
        <TimeStamp>0</TimeStamp>
    </WaterMark>
</Tessivue>
XML
export PRISMEL_WINEARCH="$preset"
export PRISMEL_WINEPREFIX="$root/build/$preset/wineprefix"
# The camera library counts the timed auto capture in steps of 150 ms, so
# that a run takes a shot about every second.
export KELPRA_TICK_MS=150
export KELPRA_CALL_LOG="Z:$out/calls.txt"

# The language box lists the languages in the order of the language list.
language_index() {
  grep -o '>[A-Z][A-Z]<' "$root/resources/Language/Language.xml" | tr -d '<>' |
    grep -n "^$1\$" | cut -d: -f1
}
cn_index=$(language_index CN)
fr_index=$(language_index FR)

# Controls: 1004 colour mode (1 grey), 1026 rotation (1 a quarter turn),
# 1109 Capture, 1011 watermark settings (its dialog: 1039 font, 1037 text,
# 1 OK),
# 1007 two-picture merge, 1095 auto-capture mode (1 timed; its dialog's End
# is 1050), 1099 language, 1030 Exit. Key 32 is Space, the capture key.
# Every step waits for what it needs: a listed picture (1029 the thumbnail
# list), the library's calls (its call log), a settled window; a shot waits
# for the window to settle and the live picture to paint a new frame. The
# timed run is shown once it has taken two pictures: the five pictures
# before it took five calls of camCaptureImageFile.
steps=(
  send:202 send:204:SHOWUI window:Prismel shot:01-start
  select:1004:1 presskey:1004:32 waitcount:1029:1 select:1026:1 press:1109 waitcount:1029:2
  shot:02-options
  select:1026:0 select:1004:0
  click:1011 "window:Watermark Setting" "pick:1039:DejaVu Serif" "type:1037:Prismel demo"
  shot:03-watermark
  click:1 window:Prismel settle press:1109 waitcount:1029:3
  check:1007:1 press:1109 press:1109 waitcount:1029:4 shot:04-merge
  check:1007:0
  select:1095:1 click:1109 window:Timing waitcalls:camCaptureImageFile:7 shot:05-auto-capture
  click:1050 window:Prismel settle select:1095:0 shot:06-thumbnails
  "select:1099:$((cn_index - 1))" shot:07-chinese
  "select:1099:$((fr_index - 1))" shot:08-french
  click:1030 waitexit
)

scripts/desktop-run.sh bash -c '
  set -eu
  out=$1 root=$2 program=$3
  shift 3
  signals=$(mktemp -d)
  steps=() shots=()
  for step in "$@"; do
    case "$step" in
      shot:*) name=${step#shot:}; shots+=("$name")
        steps+=(settle waitframes "signal:Z:$signals/$name" "waitfor:Z:$signals/$name.done") ;;
      *) steps+=("$step") ;;
    esac
  done
  "$root/scripts/wine-run.sh" "$program/RefDataSource.exe" --log "Z:$out/records.jsonl" \
    --copies "Z:$out/received" "${steps[@]}" > /dev/null &
  source=$!
  for shot in "${shots[@]}"; do
    for _ in $(seq 1 900); do [ -f "$signals/$shot" ] && break; sleep 0.1; done
    # The window without the black of the empty display around it.
    import -window root png:- | convert - -bordercolor black -border 1 -fuzz 2% -trim +repage \
      "$out/steps/$shot.png"
    touch "$signals/$shot.done"
  done
  wait $source
  # The helper processes of Wine end before the virtual display does.
  WINEPREFIX="$PRISMEL_WINEPREFIX" wineserver -w
  rm -rf "$signals"
' demo "$out" "$root" "$program" "${steps[@]}"

if grep -q '"event":"step-failed"' "$out/records.jsonl"; then
  echo "demo: a step failed:" >&2
  grep '"event"' "$out/records.jsonl" >&2
  exit 1
fi
echo "Records the data source received:"
grep '"kind"' "$out/records.jsonl"

# The received files in the order they were handed over.
mapfile -t received < <(sed -nE \
  's/.*"code":208,"text":"[^"]*\\([^"\\]*)","exists":true.*/\1/p' "$out/records.jsonl")
files=()
for name in "${received[@]}"; do files+=("$out/received/$name"); done

# One overview: the steps in two rows of four, then the received
# files. A font by file: ImageMagick's default font name is not installed.
font=$(fc-match -f '%{file}' 'DejaVu Sans')
montage -font "$font" -pointsize 16 -label '%t' "$out"/steps/*.png -geometry 640x400+8+8 \
  -tile 4x -background '#e8e8e8' "$out/steps-sheet.png"
if [ "${#files[@]}" -gt 0 ]; then
  montage -font "$font" -pointsize 14 -label '%f\n%wx%h' "${files[@]}" -geometry 300x225+8+8 \
    -tile 8x -background '#d8d8d8' "$out/received-sheet.png"
  convert "$out/steps-sheet.png" "$out/received-sheet.png" -background '#e8e8e8' -gravity center \
    -append "$out/overview.png"
else
  cp "$out/steps-sheet.png" "$out/overview.png"
fi
rm -f "$out/steps-sheet.png" "$out/received-sheet.png"

echo "Screenshots of each step: $out/steps/ ($(ls "$out/steps" | wc -l))"
echo "Received files: $out/received/ (${#files[@]}), records: $out/records.jsonl"
echo "Overview: $out/overview.png"
echo "The demo took $(( $(date +%s) - started )) s."
