#!/bin/bash
# The watermark dialog of the running Prismel.exe, opened from the settings
# button and driven as a user would: the real font list, the size list,
# sliders moved by keys, a colour from the colour button's palette, then the
# palette's last cell, which opens the system's colour dialog at that colour
# and keeps it on OK. After OK the reference library's call log must hold
# the 14 arguments as chosen, the text in the ANSI code page. Screenshots of
# the dialog and of its open palette are kept as test artifacts.
#
#   watermark-dialog.sh BIN_DIR ARTIFACT_DIR
set -euo pipefail
bin=$1 artifacts=$2
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$artifacts"
source "$here/session.sh"
# The watermark is on, so that its settings button can be used.
cat > "$program/LastSetting.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8" ?>
<Tessivue>
    <WaterMark>
        <isEnable>1</isEnable>
    </WaterMark>
</Tessivue>
XML
export KELPRA_CALL_LOG="Z:$work/calls.txt"


# Virtual keys: 35 End, 33 Page Up, 40 Down, 38 Up, 13 Enter. Up from no
# cell is the palette's last; "Color" is the system colour dialog.
mapfile -t dialog < <(shot_steps dialog)
mapfile -t palette < <(shot_steps palette)
"$here/../../../scripts/wine-run.sh" "$program/RefDataSource.exe" --log "Z:$log" \
  send:202 send:204:SHOWUI window:Prismel click:1011 "window:Watermark Setting" \
  text:1039 text:1040 text:1043 text:1045 \
  "pick:1039:DejaVu Serif" pick:1040:48 check:1033:1 check:1035:1 check:1036:0 \
  key:1044:35 key:1042:33 text:1043 text:1045 "type:1037:Entwurf ä" \
  check:1050:0 check:1054:1 \
  click:1041 waitmenu menukey:40 menukey:40 menukey:13 "${dialog[@]}" \
  click:1041 waitmenu "${palette[@]}" \
  menukey:38 menukey:13 window:Color click:1 "window:Watermark Setting" settle \
  click:1 window:Prismel settle send:211 waitexit >/dev/null 2>&1 &
source=$!
shoot dialog watermark-dialog.png
shoot palette watermark-palette.png
wait $source || { echo "data source failed"; cat "$log"; exit 1; }

fail() {
  echo "$1"
  echo "--- data source log:"; cat "$log"
  echo "--- calls:"; cat "$work/calls.txt"
  exit 1
}
! grep -q '"event":"step-failed"' "$log" || fail "a step failed"
mapfile -t size < <(reads text:1040)
mapfile -t transparency < <(reads text:1043)
mapfile -t angle < <(reads text:1045)
[ "${size[0]}" = "36" ] || fail "size field on opening: '${size[0]}'"
[ "${transparency[0]}" = "70%" ] && [ "${angle[0]}" = '30\u00b0' ] ||
  fail "labels on opening: '${transparency[0]}' '${angle[0]}'"
[ "${transparency[1]}" = "50%" ] && [ "${angle[1]}" = '360\u00b0' ] ||
  fail "labels after the keys: '${transparency[1]}' '${angle[1]}'"

# The text in the ANSI code page (Windows-1252 here: ä is one byte, E4).
expected=$(printf '%s' 'camSetImageWaterMark(0,"Entwurf ' $'\xe4' \
  '",8,48,"DejaVu Serif",0,1,1,360,50,128,0,0,1)')
actual=$(grep -a '^camSetImageWaterMark(' "$work/calls.txt" | tail -n 1)
[ "$actual" = "$expected" ] || fail "last watermark call: $actual"

for shot in watermark-dialog.png watermark-palette.png; do
  [ -s "$artifacts/$shot" ] || fail "no screenshot $shot"
done
! cmp -s "$artifacts/watermark-dialog.png" "$artifacts/watermark-palette.png" ||
  fail "the palette does not show"
echo "screenshots in $artifacts"
