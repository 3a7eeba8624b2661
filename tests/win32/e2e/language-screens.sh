#!/bin/bash
# The capture window as the user first sees it, in English and after
# switching the language box to Chinese: control texts read from the running
# window, and a screenshot of each saved as a test artifact.
#
#   language-screens.sh BIN_DIR ARTIFACT_DIR
set -euo pipefail
bin=$1 artifacts=$2
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$artifacts"
source "$here/session.sh"
bin=$program

# The language box lists the languages in the order of the language list.
cn_index=$(grep -o '>[A-Z][A-Z]<' "$bin/Language/Language.xml" | tr -d '<>' | grep -n '^CN$' | cut -d: -f1)
cn_index=$((cn_index - 1))


mapfile -t en < <(shot_steps en)
mapfile -t cn < <(shot_steps cn)
"$here/../../../scripts/wine-run.sh" "$bin/RefDataSource.exe" --log "Z:$log" \
  send:202 send:204:SHOWUI window:Prismel text:1076 text:1030 statustext "${en[@]}" \
  "select:1099:$cn_index" text:1076 text:1030 "${cn[@]}" send:211 waitexit >/dev/null 2>&1 &
source=$!
shoot en capture-window-en.png
shoot cn capture-window-cn.png
wait $source || { echo "data source failed"; cat "$log"; exit 1; }

mapfile -t color < <(reads text:1076)
mapfile -t status < <(reads statustext)
[ "${color[0]}" = "Scan Mode" ] || { echo "English caption of 1076: '${color[0]}'"; cat "$log"; exit 1; }
[ -n "${color[1]}" ] && [ "${color[1]}" != "${color[0]}" ] ||
  { echo "caption of 1076 did not change: '${color[1]}'"; cat "$log"; exit 1; }
[ "${status[0]}" = "Version : 1.2.3.4" ] || { echo "status bar: '${status[0]}'"; cat "$log"; exit 1; }
grep -q '"code":203' "$log" || { echo "not connected"; cat "$log"; exit 1; }
for shot in capture-window-en.png capture-window-cn.png; do
  [ -s "$artifacts/$shot" ] || { echo "no screenshot $shot"; exit 1; }
done
# The live picture fills the middle of the centred window: the reference
# camera's desk and documents vary a lot there, unlike the plain dialog.
spread=$(convert "$artifacts/capture-window-en.png" -gravity center -crop 300x200+0+0 \
  -format '%[fx:standard_deviation]' info:)
awk -v s="$spread" 'BEGIN { exit !(s > 0.2) }' ||
  { echo "no live picture in the middle of the window (spread $spread)"; exit 1; }
! cmp -s "$artifacts/capture-window-en.png" "$artifacts/capture-window-cn.png" ||
  { echo "the two screenshots are the same"; exit 1; }
echo "screenshots in $artifacts"
