#!/bin/bash
# The capture window at 96 DPI and at 144 DPI (150 %): the window declares
# itself aware of the monitor's DPI, so at 144 DPI the system draws its text
# at that size instead of stretching a 96 DPI picture. The layout of the
# running window is read in both: every control lies inside the client
# area, none overlaps another (a group box holds its controls, the live
# picture lies over its placeholder), and at 144 DPI each control is where
# the 96 DPI one is, half as large again. The merge preview keeps its place
# over the live picture. Screenshots of both are kept as test artifacts.
#
# 144 DPI is set in a copy of the build's Wine prefix of its own
# (prefix_at_dpi, session.sh).
#
#   dpi-screens.sh BIN_DIR ARTIFACT_DIR
set -euo pipefail
bin=$1 artifacts=$2
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$artifacts"
source "$here/session.sh"
run="$here/../../../scripts/wine-run.sh"

prefix=$(prefix_at_dpi 96)
wide=$(prefix_at_dpi 144)

# 1007: the two-picture merge, whose preview floats over the live picture 1031.
session() {  # DPI SCREEN
  local dpi=$1 screen=$2 use_prefix=$prefix
  [ "$dpi" = 144 ] && use_prefix=$wide
  rm -f "$program/LastSetting.xml" "$work/shot" "$work/shot.done"
  PRISMEL_WINEPREFIX="$use_prefix" "$here/../../../scripts/desktop-run.sh" --screen "$screen" bash -c '
    "$1" "$2/RefDataSource.exe" --log "Z:$3/log-$4" send:202 send:204:SHOWUI window:Prismel \
      settle layout check:1007:1 settle rect:1031 poprect settle waitframes "signal:Z:$3/shot" \
      "waitfor:Z:$3/shot.done" \
      send:211 waitexit >/dev/null 2>&1 &
    for _ in $(seq 1 600); do [ -f "$3/shot" ] && break; sleep 0.1; done
    import -window root "$5/dpi-$4.png"
    touch "$3/shot.done"
    wait
    # The server of this prefix (a copy in the work folder above 96 DPI)
    # writes its registry as it ends: the work folder goes only after it.
    WINEPREFIX="$PRISMEL_WINEPREFIX" wineserver -w' session "$run" "$program" "$work" "$dpi" "$artifacts"
  grep -q '"code":203' "$work/log-$dpi" || { echo "not connected at $dpi DPI"; cat "$work/log-$dpi"; exit 1; }
  ! grep -q 'step-failed' "$work/log-$dpi" || { echo "a step failed at $dpi DPI"; cat "$work/log-$dpi"; exit 1; }
}
session 96 1400x900
session 144 2200x1400

reads() { grep "\"read\":\"$2\"" "$work/log-$1" | sed -E 's/.*"text":"(.*)"}/\1/'; }
for dpi in 96 144; do
  reads $dpi layout > "$work/layout-$dpi"
  cp "$work/layout-$dpi" "$artifacts/dpi-$dpi-layout.txt"
  [ -s "$work/layout-$dpi" ] && [ -s "$artifacts/dpi-$dpi.png" ] || { echo "nothing read at $dpi DPI"; exit 1; }
  # Inside the client area, and no two controls on one another.
  awk -v dpi=$dpi '
    { split($3, r, ","); id[NR] = $1; cls[NR] = $2; l[NR] = r[1]; t[NR] = r[2]; rr[NR] = r[3]; b[NR] = r[4] }
    $1 == "client" { W = r[3]; H = r[4] }
    function group(i) { return cls[i] == "Button" && id[i] >= 1103 && id[i] <= 1106 }
    function holds(i, j) { return l[i] <= l[j] && t[i] <= t[j] && rr[i] >= rr[j] && b[i] >= b[j] }
    function live(i) { return id[i] == 1031 || (id[i] == 0 && cls[i] == "#32770") }
    END {
      bad = 0
      for (i = 1; i <= NR; i++) {
        if (id[i] == "client") continue
        if (l[i] < 0 || t[i] < 0 || rr[i] > W || b[i] > H) { print dpi ": " id[i] " leaves the client area"; bad = 1 }
        for (j = i + 1; j <= NR; j++) {
          if (id[j] == "client") continue
          if (l[i] >= rr[j] || l[j] >= rr[i] || t[i] >= b[j] || t[j] >= b[i]) continue
          if ((group(i) && holds(i, j)) || (group(j) && holds(j, i)) || (live(i) && live(j))) continue
          print dpi ": " id[i] " (" cls[i] ") and " id[j] " (" cls[j] ") overlap"; bad = 1
        }
      }
      exit bad
    }' "$work/layout-$dpi" || { cat "$work/layout-$dpi"; exit 1; }
done

# The same layout, scaled: dialog units follow the system font, which at
# 144 DPI is not exactly half as large again in each direction, so each
# direction scales as the client area does. Every control lies within 3
# pixels of its 96 DPI place scaled so, except two sizes that are no
# dialog units: a drop-down list is as high as its font needs, and the
# device list is widened by twice its width less 80 pixels at 96 DPI, 120
# at 144.
awk '
  FNR == NR { split($3, r, ","); key = $1 " " $2; for (k = 1; k <= 4; k++) small[key, k] = r[k]
              seen[key] = 1; next }
  $1 == "client" { split($3, r, ","); sx = r[3] / small["client -", 3]; sy = r[4] / small["client -", 4]
                   if (sx < 1.35 || sy < 1.35) { print "the client area grew by " sx " x " sy " only"; bad = 1 } }
  { split($3, r, ","); key = $1 " " $2
    if (!(key in seen)) { print "only at 144 DPI: " key; bad = 1; next }
    for (k = 1; k <= 4; k++) {
      if (k == 4 && $2 == "ComboBox") continue
      want = small[key, k] * (k % 2 ? sx : sy)
      if (k == 3 && $1 == 1019) want = r[1] + (small[key, 3] - small[key, 1] + 80) * sx - 120
      d = r[k] - want; if (d < 0) d = -d
      if (d > 3) { print key " edge " k ": " r[k] " at 144 DPI, " small[key, k] " at 96"; bad = 1 }
    }
    matched++ }
  END { if (matched < 30) { print "only " matched " controls in both"; bad = 1 } exit bad }
' "$work/layout-96" "$work/layout-144" || exit 1

# The merge preview starts 2 pixels into the live picture at 96 DPI, 3 at 144.
for pair in "96 2" "144 3"; do
  read -r dpi inset <<< "$pair"
  IFS=, read -r area_left _ <<< "$(reads $dpi rect:1031)"
  IFS=, read -r preview_left _ <<< "$(reads $dpi poprect)"
  [ $((preview_left - area_left)) = "$inset" ] ||
    { echo "merge preview $((preview_left - area_left)) px in at $dpi DPI"; grep rect "$work/log-$dpi"; exit 1; }
done
echo "screenshots in $artifacts: dpi-96.png, dpi-144.png"
