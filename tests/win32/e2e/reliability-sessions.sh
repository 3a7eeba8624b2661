#!/bin/bash
# Long and hostile sessions of the real Prismel.exe under Wine.
#
#   reliability-sessions.sh BIN_DIR SESSION [COUNT]
#   SESSION: hostile  COUNT random WM_COPYDATA records (default 10000) sent in
#                     turn to "TWAINDSUIWINDOWS" and to the capture window in
#                     the middle of a session; only the 202 probes are
#                     answered, and the session then finishes normally
#            soak     COUNT captures (default 300) with both merges and their
#                     preview panes, and thumbnails; the process's GDI and
#                     USER objects (GetGuiResources), its live GDI handle
#                     table entries and its windows are the same at the end
#                     as after the first 50 captures. Wine answers
#                     GetGuiResources, the handle count and the private
#                     memory with 0; the handle table and the windows are
#                     what shows a leak there
#
# With PRISMEL_FIGURES set, one line per session is appended to that file
# (scenario, runs, what held) for scripts/reliability.sh.
set -euo pipefail
bin=$1 session=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/session.sh"

fail() {
  echo "$session: $1"
  echo "--- data source log (last lines):"; tail -n 40 "$log"
  grep "\"resources\"" "$log" || true
  exit 1
}
play() {  # STEP...: the data source's scenario
  "$here/../../../scripts/wine-run.sh" "$program/RefDataSource.exe" --log "Z:$log" \
    --script "Z:$work/steps.txt" >/dev/null 2>&1 || fail "the data source failed"
  ! grep -q '"event":"step-failed"' "$log" || fail "a step failed"
  grep -q '"event":"prismel-exited"' "$log" || fail "Prismel did not exit"
}
figure() {
  [ -z "${PRISMEL_FIGURES:-}" ] || printf '%s\t%s\t%s\n' "$1" "$2" "$3" >> "$PRISMEL_FIGURES"
}
codes() {  # the codes of the records received, one a line
  sed -nE 's/.*"code":([-0-9]+),.*/\1/p' "$@"
}
# The settings file Prismel left is well-formed XML with its root element.
settings_valid() {
  xmllint --noout "$program/LastSetting.xml" && grep -q '^<Tessivue>' "$program/LastSetting.xml"
}

# Two small cameras: quick pictures, and a webcam for the secondary camera.
printf '[Device]\nName=Desk Camera\nDpi=100\nDocuments=2\nFormat=MJPG\nSize=640x480\n[Device]\nName=Desk Webcam\nDpi=96\nFormat=MJPG\nSize=320x240\nSize=640x480\n' \
  > "$program/Kelpra.ini"
# 1109 Capture, 1030 Exit, 1007 two-picture merge, 1014 secondary camera,
# 1073 secondary-camera merge.
case "$session" in
  hostile)
    count=${3:-10000}
    printf '%s\n' send:202 send:204:SHOWUI window:Prismel "hostile:$count:20260417" \
      settle press:1109 settle click:1030 waitexit > "$work/steps.txt"
    play
    # Between the markers only answers to probes arrived, one per probe.
    sed -n '/"event":"hostile-start"/,/"event":"hostile-end"/p' "$log" > "$work/during"
    counts=$(sed -nE 's/.*"event":"hostile-end","detail":"([^"]*)".*/\1/p' "$log")
    probes=$(sed -nE 's/.*probes=([0-9]+).*/\1/p' <<< "$counts")
    [ -n "$probes" ] || fail "no count of the records sent"
    [ "$(codes "$work/during" | grep -vc '^203$' || true)" = 0 ] ||
      fail "records other than 203 during the hostile run"
    [ "$(codes "$work/during" | grep -c '^203$' || true)" = "$probes" ] ||
      fail "$(codes "$work/during" | grep -c '^203$' || true) answers to $probes probes"
    # Then the session as usual: the picture, "END", and the window closes.
    after=$(sed -n '/"event":"hostile-end"/,$p' "$log" | codes | tr '\n' ' ')
    [ "$after" = "207 209 208 207 207 212 " ] || fail "after the hostile run: $after"
    grep -q '"code":208,.*"exists":true' "$log" || fail "the picture was not there"
    settings_valid || fail "the settings file is not valid"
    echo "hostile: $counts"
    figure "Hostile records, Wine" "$count records" \
      "$counts; only probes answered, session finished, settings valid"
    ;;
  soak)
    count=${3:-300}
    {
      printf '%s\n' send:202 send:204:SHOWUI window:Prismel check:1014:1
      for ((i = 1; i <= count; i++)); do
        # Both cameras joined for the first half, then pairs of two presses
        # side by side, with the secondary camera merged into every third.
        (( i == count / 2 )) && printf '%s\n' check:1014:0 check:1007:1
        (( i == 1 )) && printf '%s\n' check:1007:1
        echo press:1109
        (( i % 3 == 0 && i > count / 2 )) && printf '%s\n' check:1007:0 check:1014:1 \
          check:1073:1 press:1109 check:1073:0 check:1014:0 check:1007:1
        (( i % 50 == 0 )) && printf '%s\n' settle resources
      done
      printf '%s\n' settle click:1030 waitexit
    } > "$work/steps.txt"
    play
    mapfile -t samples < <(sed -nE 's/.*"event":"resources","detail":"([^"]*)".*/\1/p' "$log")
    [ "${#samples[@]}" -ge 2 ] || fail "${#samples[@]} samples"
    value() { sed -nE "s/.*\\b$1=(-?[0-9]+).*/\\1/p" <<< "$2"; }
    first=${samples[0]} last=${samples[-1]}
    # Flat: every later sample within 3 objects of the first (a merge pane
    # holds a picture or not); a leak of one object a capture would be
    # hundreds. The windows do not change at all.
    for sample in "${samples[@]}"; do
      for what in gdi user gditable; do
        difference=$(( $(value "$what" "$sample") - $(value "$what" "$first") ))
        (( difference <= 3 && difference >= -3 )) ||
          fail "$what: $(value "$what" "$first") after 50 captures, then $(value "$what" "$sample")"
      done
      [ "$(value windows "$sample")" = "$(value windows "$first")" ] ||
        fail "windows: $(value windows "$first") after 50 captures, then $(value windows "$sample")"
    done
    files=$(codes "$log" | grep -c '^208$' || true)
    (( files > count / 3 )) || fail "only $files files handed over"
    settings_valid || fail "the settings file is not valid"
    printf '%s\n' "${samples[@]}"
    highest=$(for sample in "${samples[@]}"; do value gditable "$sample"; done | sort -n | tail -n 1)
    figure "Soak, Wine (win64)" "$count captures" \
      "GDI handle table $(value gditable "$first") objects after 50 captures, at most $highest later, $(value gditable "$last") at the end; windows $(value windows "$first") throughout; $files files handed over (a pair of captures makes one); GetGuiResources answers 0 under Wine"
    ;;
  *) echo "unknown session $session"; exit 2 ;;
esac
