#!/bin/bash
# The two merges in the running window: the merge preview over the lower
# part of the live picture once the two-picture merge is checked, the
# preview following the window when it is dragged, and the secondary
# camera's merge options opened from their button. The places are read from
# the running windows; a screenshot of each state is kept as a test artifact.
#
#   merge-screens.sh BIN_DIR ARTIFACT_DIR
set -euo pipefail
bin=$1 artifacts=$2
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$artifacts"
source "$here/session.sh"
bin=$program


# 1007: two-picture merge, 1031: live picture area, 1014: secondary camera,
# 1073: its merge, 1017: its merge options; 2 is the options dialog's Cancel.
mapfile -t merge < <(shot_steps merge)
mapfile -t moved < <(shot_steps moved)
mapfile -t options < <(shot_steps options)
"$here/../../../scripts/wine-run.sh" "$bin/RefDataSource.exe" --log "Z:$log" \
  send:202 send:204:SHOWUI window:Prismel check:1007:1 settle rect:1031 poprect "${merge[@]}" \
  move:-150:-90 settle rect:1031 poprect "${moved[@]}" \
  check:1014:1 check:1073:1 click:1017 "window:Webcam Merge Setting" \
  "${options[@]}" "dialogclick:Webcam Merge Setting:2" settle send:211 waitexit >/dev/null 2>&1 &
source=$!
shoot merge merge-preview.png
shoot moved merge-preview-moved.png
shoot options merge-options.png
wait $source || { echo "data source failed"; cat "$log"; exit 1; }
grep -q '"code":203' "$log" || { echo "not connected"; cat "$log"; exit 1; }
# Every step found its window, the options dialog (found by its caption) too.
! grep -q 'step-failed' "$log" || { echo "a step failed"; cat "$log"; exit 1; }

mapfile -t areas < <(reads rect:1031)
mapfile -t previews < <(reads poprect)
[ "${#areas[@]}" = 2 ] && [ "${#previews[@]}" = 2 ] ||
  { echo "places not read"; cat "$log"; exit 1; }

# Side by side (the default direction): the lower third of the live
# picture, half as wide, 2 pixels in from its left edge.
placement() {
  IFS=, read -r left top right bottom <<< "$1"
  local width=$((right - left)) height=$((bottom - top))
  local x=$((left + 2)) y=$((top + height / 3 * 2))
  echo "$x,$y,$((x + width / 2)),$((y + height / 3))"
}
for i in 0 1; do
  expected=$(placement "${areas[$i]}")
  [ "${previews[$i]}" = "$expected" ] ||
    { echo "preview at ${previews[$i]}, expected $expected over ${areas[$i]}"; exit 1; }
done
[ "${areas[0]}" != "${areas[1]}" ] || { echo "the window did not move"; exit 1; }

# Both panes are empty: the preview shows white where the live picture was
# the desk, in each screenshot at the place read for it.
white() {  # mean brightness of the preview's place in a screenshot
  IFS=, read -r left top right bottom <<< "$2"
  convert "$artifacts/$1" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
    -colorspace Gray -format '%[fx:mean]' info:
}
for shot in "merge-preview.png ${previews[0]}" "merge-preview-moved.png ${previews[1]}"; do
  read -r file place <<< "$shot"
  mean=$(white "$file" "$place")
  awk -v m="$mean" 'BEGIN { exit !(m > 0.8) }' ||
    { echo "no white preview in $file at $place (mean $mean)"; exit 1; }
done

# The options dialog shows over the window.
! cmp -s "$artifacts/merge-preview-moved.png" "$artifacts/merge-options.png" ||
  { echo "the options dialog did not show"; exit 1; }
echo "screenshots in $artifacts"
