#!/bin/bash
# The thumbnail list from the real keyboard, in the running Prismel.exe under
# Wine: three pictures taken, the third moved to the front with Ctrl+Left,
# the second deleted with Delete and brought back with Ctrl+Z, then Exit.
# The keys go through the system's keyboard input to the focused list; each
# step waits for what it does to show (the selection, the number of items).
# The data source must receive the third, the first and the second picture,
# each file whole (decoded with ImageMagick), and the list must show each
# stage as expected. The session's log is kept in ARTIFACT_DIR.
#
#   page-order.sh BIN_DIR [ARTIFACT_DIR]
set -euo pipefail
bin=$1 artifacts=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/session.sh"
copies="$work/copies"
mkdir -p "$copies"
export KELPRA_CALL_LOG="Z:$work/calls.txt"

# One camera with one small frame size, no cropping: pictures of a known size.
printf '[Device]\nName=Desk Camera\nDpi=100\nDocuments=1\nFormat=MJPG\nSize=640x480\n' \
  > "$program/Kelpra.ini"
printf '%s\n' '<?xml version="1.0" encoding="UTF-8" ?>' '<Tessivue>' \
  '    <cutType>0</cutType>' '</Tessivue>' > "$program/LastSetting.xml"

fail() {
  echo "page-order: $1"
  echo "--- data source log:"; cat "$log"
  exit 1
}

# 1109 Capture, 1029 the thumbnail list, 1030 Exit. Virtual keys: 17 Ctrl,
# 35 End, 37 Left, 46 Delete, 90 Z.
"$here/../../../scripts/wine-run.sh" "$program/RefDataSource.exe" --log "Z:$log" \
  --copies "Z:$copies" send:202 send:204:SHOWUI window:Prismel \
  press:1109 waitcount:1029:1 press:1109 waitcount:1029:2 press:1109 waitcount:1029:3 \
  items:1029 \
  inputkey:1029:35 waitselected:1029:2 \
  inputkey:1029:17+37 waitselected:1029:1 inputkey:1029:17+37 waitselected:1029:0 \
  items:1029 \
  inputkey:1029:35 waitselected:1029:2 inputkey:1029:46 waitcount:1029:2 items:1029 \
  inputkey:1029:17+90 waitcount:1029:3 items:1029 \
  press:1030 waitexit >/dev/null 2>&1 || fail "the data source failed"
if [ -n "$artifacts" ]; then mkdir -p "$artifacts" && cp "$log" "$artifacts/page-order-log.jsonl"; fi
! grep -q '"event":"step-failed"' "$log" || fail "a step failed"

# The pictures in the order they were taken, as the camera library was asked.
mapfile -t shots < <(grep -ao '^camCaptureImageFile([^)]*' "$work/calls.txt" |
  grep -o '1_-\?[0-9]*\.bmp' | sed 's/\.bmp$//')
[ "${#shots[@]}" = 3 ] || fail "${#shots[@]} pictures taken"
first=${shots[0]} second=${shots[1]} third=${shots[2]}

# What the list showed after the captures, the moves, the delete and the undo.
stages=$(sed -nE 's/.*"read":"items:1029","text":"([^"]*)".*/\1/p' "$log" | paste -sd ' ')
expected="$first $second $third $third $first $second $third $first $third $first $second"
[ "$stages" = "$expected" ] || fail "the list showed: $stages; expected: $expected"

# The records in order, a file's folder left out.
records=$(sed -nE 's/.*"code":([-0-9]+),"text":"([^"]*)".*/\1 \2/p' "$log" |
  sed -E 's/ $//; s/^208 .*\\([^\\]*)$/208 \1/')
expected_records=$(printf '%s\n' "203 CONNECTED" "207 BEGIN" 209 "208 $third.bmp" 209 \
  "208 $first.bmp" 209 "208 $second.bmp" "207 END" "207 END" 212)
[ "$records" = "$expected_records" ] || fail "records:
$records"
echo "--- records received by the data source:"
echo "$records"

# Every file handed over existed when its record arrived and is whole.
[ "$(grep -c '"code":208,.*"exists":true' "$log")" = 3 ] || fail "a file did not exist"
for name in "$third" "$first" "$second"; do
  size=$(identify -format '%wx%h' "$copies/$name.bmp") || fail "$name.bmp does not decode"
  [ "$size" = 640x480 ] || fail "$name.bmp is $size"
done
# The files stay in the work folder for the data source; the folder the
# deleted picture waited in is gone with the session.
prefix=${PRISMEL_WINEPREFIX:-$here/../../../build/win32/wineprefix}
folder=$(sed -nE 's/.*"code":208,"text":"C:(.*)\\\\[^\\]*","exists".*/\1/p' "$log" | head -n 1 |
  sed -E 's/(\\\\)+/\//g')
[ -n "$folder" ] && [ -d "$prefix/drive_c$folder" ] || fail "no work folder '$folder' in $prefix"
for name in "$third" "$first" "$second"; do
  [ -f "$prefix/drive_c$folder/$name.bmp" ] || fail "$name.bmp left the work folder"
done
[ ! -e "$prefix/drive_c$folder/Deleted" ] || fail "the folder of deleted pictures is still there"
echo "page-order: passed"
