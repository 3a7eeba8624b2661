#!/bin/bash
# Every text whole, in every language: for each entry of the language list
# the running Prismel.exe is switched to it, and the capture window (with
# the manual and then a timed auto-capture entry, whose Capture button reads
# differently), the auto-capture dialog, the watermark dialog, the merge
# options and the about box are opened in turn. In each, the reference data
# source measures every visible caption, label, button, check box, radio
# button, group box and list item in the window's own font against the room
# its control gives it (peers/datasource/TextFit.h). At 96 and at 144 DPI.
#
# A text fails when it needs more room than it has. A list's items must show
# whole in the open list; those of the lists whose items are ours (not the
# camera's devices and sizes, not the system's font names) must also show
# whole in the closed field once chosen. The tightest texts of each
# language are printed, the whole table is kept in the artifacts folder
# (text-fit-DPI.txt) with screenshots of the capture window in French and in
# German.
#
#   text-fit.sh BIN_DIR ARTIFACT_DIR
set -euo pipefail
bin=$1 artifacts=$2
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$artifacts"
source "$here/session.sh"
run="$here/../../../scripts/wine-run.sh"

mapfile -t codes < <(grep -o '>[A-Z][A-Z]<' "$program/Language/Language.xml" | tr -d '<>')
[ "${#codes[@]}" -ge 9 ] || { echo "only ${#codes[@]} languages listed"; exit 1; }
# Lists filled from the camera and the system: only their open list counts.
device_lists=" 1015 1016 1019 1020 1021 1039 "
# The windows, by template: capture window, auto capture, watermark, merge
# options, about box.
windows="102 135 130 131 100"

# The steps of one session: each language in turn, marked in the log by the
# language box's text, with a screenshot signal where one is wanted.
steps() {  # SHOT_CODES...
  echo send:202; echo waitrecord:203; echo window:Prismel
  local i
  for i in "${!codes[@]}"; do
    echo "select:1099:$i"; echo text:1099; echo fit:102
    local code
    for code in "$@"; do
      [ "$code" = "${codes[$i]}" ] || continue
      echo "signal:Z:$work/shot-$code"; echo "waitfor:Z:$work/shot-$code.done"
    done
    # A timed entry: the Capture button starts auto capture.
    echo select:1095:1; echo fit:102; echo click:1109; echo dialog; echo fit:135
    echo click:1050; echo closed; echo select:1095:0
    echo click:1011; echo dialog; echo fit:130; echo click:2; echo closed
    echo click:1017; echo dialog; echo fit:131; echo click:2; echo closed
    echo syscommand:16; echo dialog; echo fit:100; echo click:1; echo closed
  done
  echo send:211; echo waitexit
}

session() {  # DPI SCREEN SHOT_CODES...
  local dpi=$1 screen=$2 code wanted=()
  shift 2
  # The screenshots come in the order of the language list.
  for code in "${codes[@]}"; do [[ " $* " == *" $code "* ]] && wanted+=("$code"); done
  set -- "${wanted[@]}"
  steps "$@" > "$work/steps-$dpi"
  rm -f "$program/LastSetting.xml"
  PRISMEL_WINEPREFIX=$(prefix_at_dpi "$dpi") "$here/../../../scripts/desktop-run.sh" \
    --screen "$screen" bash -c '
    "$1" "$2/RefDataSource.exe" --log "Z:$3/log-$4" --script "Z:$3/steps-$4" >/dev/null 2>&1 &
    source=$!
    work=$3 artifacts=$5
    shift 5
    # The window in each language asked for, when the data source signals.
    for code in "$@"; do
      for _ in $(seq 1 1200); do [ -f "$work/shot-$code" ] && break; sleep 0.1; done
      import -window root "$artifacts/capture-window-$(echo "$code" | tr A-Z a-z).png"
      touch "$work/shot-$code.done"
    done
    wait $source
    # The server of this prefix (a copy in the work folder above 96 DPI)
    # writes its registry as it ends: the work folder goes only after it.
    WINEPREFIX="$PRISMEL_WINEPREFIX" wineserver -w' session "$run" "$program" "$work" "$dpi" "$artifacts" "$@"
  local log="$work/log-$dpi"
  grep -q '"code":203' "$log" || { echo "not connected at $dpi DPI"; cat "$log"; exit 1; }
  ! grep -q '"step-failed"\|"event":"fit"' "$log" ||
    { echo "a step failed at $dpi DPI"; cat "$log"; exit 1; }
}
session 96 1400x900 FR DE
session 144 2200x1400

# "DPI LANGUAGE TEMPLATE KIND ID NEED ROOM TEXT", each measured text once.
table() {  # DPI
  perl -CS -ne '
    BEGIN { @codes = split / /, shift @ARGV; $dpi = shift @ARGV; $n = -1 }
    s/\\u([0-9a-fA-F]{4})/chr(hex($1))/ge; s/\\(["\\])/$1/g;
    if (/"read":"text:1099"/) { $n++; next }
    print "$dpi $codes[$n] $1 $2\n" if $n >= 0 && /"read":"fit:(\d+)","text":"(.*)"\}$/;
  ' "${codes[*]}" "$1" "$work/log-$1" | sort -u
}
for dpi in 96 144; do table $dpi > "$artifacts/text-fit-$dpi.txt"; done

# Every window measured in every language.
for dpi in 96 144; do
  for code in "${codes[@]}"; do
    for template in $windows; do
      grep -q "^$dpi $code $template " "$artifacts/text-fit-$dpi.txt" ||
        { echo "window $template not measured in $code at $dpi DPI"; exit 1; }
    done
  done
done

# Margin (ROOM - NEED) first; the field of a device list is left out.
cat "$artifacts"/text-fit-96.txt "$artifacts"/text-fit-144.txt |
  awk -v skip="$device_lists" '!($4 == "field" && index(skip, " " $5 " ")) { print $7 - $6, $0 }' |
  sort -n -k1,1 > "$work/margins"
echo "The tightest texts of each language (margin = room - need, in pixels):"
printf '%6s %4s %4s %8s %6s %5s %5s %5s  %s\n' margin dpi lang template kind id need room text
for dpi in 96 144; do
  for code in "${codes[@]}"; do
    awk -v d=$dpi -v c="$code" '$2 == d && $3 == c && n++ < 3' "$work/margins" |
      while read -r margin d lang template kind id need room text; do
        printf '%6s %4s %4s %8s %6s %5s %5s %5s  %s\n' \
          "$margin" "$d" "$lang" "$template" "$kind" "$id" "$need" "$room" "$text"
      done
  done
done
total=$(wc -l < "$work/margins")
cut_texts=$(awk '$1 < 0' "$work/margins" | wc -l)
echo "$total texts measured in ${#codes[@]} languages, windows $windows, at 96 and 144 DPI;" \
  "$cut_texts do not fit"
if [ "$cut_texts" != 0 ]; then
  echo "Texts that do not fit:"
  awk '$1 < 0' "$work/margins"
  exit 1
fi
for code in fr de; do
  [ -s "$artifacts/capture-window-$code.png" ] ||
    { echo "no screenshot capture-window-$code.png"; exit 1; }
done
echo "tables and screenshots in $artifacts: text-fit-96.txt, text-fit-144.txt," \
  "capture-window-fr.png, capture-window-de.png"
