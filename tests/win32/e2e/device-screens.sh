#!/bin/bash
# The reference document camera's frame sizes in the running window, in
# pixels and in DPI, and the secondary camera's live picture over the
# top-right third of the main one: list items read from the window, and a
# screenshot with the secondary camera off and one with it on, kept as test
# artifacts.
#
#   device-screens.sh BIN_DIR ARTIFACT_DIR
set -euo pipefail
bin=$1 artifacts=$2
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$artifacts"
source "$here/session.sh"
bin=$program


# 1021: frame sizes, 1098: unit, 1014: secondary camera, 1031: live picture area.
mapfile -t off < <(shot_steps off)
mapfile -t on < <(shot_steps on)
"$here/../../../scripts/wine-run.sh" "$bin/RefDataSource.exe" --log "Z:$log" \
  send:202 send:204:SHOWUI window:Prismel items:1021 rect:1031 "${off[@]}" \
  select:1098:1 items:1021 check:1014:1 "${on[@]}" send:211 waitexit >/dev/null 2>&1 &
source=$!
shoot off devices-secondary-off.png
shoot on devices-secondary-on.png
wait $source || { echo "data source failed"; cat "$log"; exit 1; }

expected_rows="640x480(VGA)
800x600(SVGA)
1024x768(SVGA)
1280x720(HD-720)
1920x1080(HD-1080)
2592x1944(5MP)
3264x2448(8MP)
6400x4800
300
260
250
200
100"
rows=$(reads items:1021)
[ "$rows" = "$expected_rows" ] ||
  { echo "frame sizes:"; diff <(echo "$expected_rows") <(echo "$rows"); cat "$log"; exit 1; }
grep -q '"code":203' "$log" || { echo "not connected"; cat "$log"; exit 1; }

# The secondary picture covers the top-right third of the live picture
# area: that part changes when the camera is switched on and shows a
# picture, while the left half stays as it was (but for the moving pen).
IFS=, read -r left top right bottom < <(reads rect:1031)
width=$((right - left)) height=$((bottom - top))
third="$((width / 3))x$((height / 3))+$((left + width / 3 * 2))+$top"
half="$((width / 2))x${height}+${left}+${top}"
change() {  # normalised RMSE between the two screenshots in a region
  convert "$artifacts/devices-secondary-off.png" -crop "$1" +repage "$work/off.png"
  convert "$artifacts/devices-secondary-on.png" -crop "$1" +repage "$work/on.png"
  compare -metric RMSE "$work/off.png" "$work/on.png" null: 2>&1 | sed -E 's/.*\((.*)\).*/\1/' ||
    true
}
spread=$(convert "$artifacts/devices-secondary-on.png" -crop "$third" +repage \
  -format '%[fx:standard_deviation]' info:)
third_change=$(change "$third")
half_change=$(change "$half")
echo "top-right third: change $third_change, spread $spread; left half: change $half_change"
awk -v c="$third_change" -v s="$spread" -v h="$half_change" \
  'BEGIN { exit !(c > 0.05 && s > 0.1 && h < c / 3) }' ||
  { echo "no secondary picture in the top-right third"; exit 1; }
echo "screenshots in $artifacts"
