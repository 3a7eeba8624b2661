#!/bin/bash
# The capture window from the keyboard and through assistive technology, in
# the running Prismel.exe: Tab walks the controls in the order they are
# shown; Space with the focus on the colour list captures one picture; in
# the watermark dialog Space types into the text box and toggles a check
# box without capturing; the symbol buttons and the live picture are read
# by their names, and the tips say what they do, in English and in Chinese.
# After Exit the data source has received exactly the one picture.
#
#   keyboard-and-names.sh BIN_DIR ARTIFACT_DIR
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
cn_index=$(grep -o '>[A-Z][A-Z]<' "$program/Language/Language.xml" | tr -d '<>' |
  grep -n '^CN$' | cut -d: -f1)

# Virtual keys: 9 Tab, 32 Space, 35 End. A text box the focus moves into
# selects its text, so Space goes where the focus is after End. The
# controls that show and can be used are 19 stops; the walk goes once
# round and back to the first.
tabs=()
for _ in $(seq 1 19); do tabs+=(presskey:0:9 settle focused); done
mapfile -t dialog < <(shot_steps dialog)
"$here/../../../scripts/wine-run.sh" "$program/RefDataSource.exe" --log "Z:$log" \
  send:202 send:204:SHOWUI window:Prismel presskey:1004:9 settle focused "${tabs[@]}" \
  presskey:1004:32 waitcount:1029:1 focused \
  accname:1018 accname:1023 accname:1024 accname:1025 accname:1031 \
  tooltip:1018 tooltip:1024 tooltip:1031 tooltip:1109 \
  click:1011 "window:Watermark Setting" "type:1037:Draft" presskey:1037:35 \
  presskey:0:32 settle text:1037 presskey:1033:32 "${dialog[@]}" click:2 window:Prismel settle \
  "select:1099:$((cn_index - 1))" accname:1018 tooltip:1109 accname:1031 \
  click:1030 waitexit >/dev/null 2>&1 &
source=$!
shoot dialog keyboard-watermark-dialog.png
wait $source || { echo "data source failed"; cat "$log"; exit 1; }

fail() { echo "$1"; echo "--- data source log:"; cat "$log"; exit 1; }
! grep -q '"event":"step-failed"' "$log" || fail "a step failed"

mapfile -t focus < <(reads focused)
walk="${focus[*]:0:20}"
[ "$walk" = "1005 1006 1095 1108 1101 1007 1075 1018 1023 1024 1025 1026 1019 1098 1021 1099 1029 1109 1004 1005" ] ||
  fail "Tab went $walk"
# Space captured and left the focus where it was.
[ "${focus[20]}" = 1004 ] || fail "focus after Space: ${focus[20]}"

names=$(reads 'accname:[0-9]*' | paste -sd '|')
[ "$names" = 'Zoom in|Zoom out|Actual size|Best|Live picture|\u653e\u5927|\u5b9e\u65f6\u753b\u9762' ] ||
  fail "accessible names: $names"
tips=$(reads 'tooltip:[0-9]*' | paste -sd '|')
[ "$tips" = 'Zoom in|Actual size|Live picture|Space bar: capture|\u7a7a\u683c\u952e\uff1a\u62cd\u7167' ] ||
  fail "tips: $tips"

[ "$(reads text:1037)" = "Draft " ] || fail "the text box reads '$(reads text:1037)'"
files=$(grep -c '"code":208' "$log" || true)
[ "$files" = 1 ] || fail "the data source received $files files, not 1"
echo "screenshot in $artifacts"
