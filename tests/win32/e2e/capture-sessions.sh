#!/bin/bash
# Capture sessions of the real Prismel.exe under Wine with the reference
# camera library and data source: pictures taken with the Capture button,
# handed over in a batch at Exit or one by one, and the files the data
# source received decoded with ImageMagick. The data source copies every
# file it is handed into a folder of its own, so that the pictures can be
# read after Prismel has cleaned up.
#
#   capture-sessions.sh BIN_DIR SESSION [ARTIFACT_DIR]
#   SESSION: batch | one-by-one | noui-failure | two-step-merge | watermark |
#            auto-capture (keeps a screenshot in ARTIFACT_DIR)
set -euo pipefail
bin=$1 session=$2 artifacts=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/session.sh"
copies="$work/copies"
mkdir -p "$copies"
export KELPRA_CALL_LOG="Z:$work/calls.txt"

# One camera with one small frame size: quick pictures of a known size.
camera() {  # [LIBRARY_LINE]: Kelpra.ini, with a [Library] line if given
  { [ $# = 0 ] || printf '[Library]\n%s\n' "$1"
    printf '[Device]\nName=Desk Camera\nDpi=100\nDocuments=1\nFormat=MJPG\nSize=640x480\n'
  } > "$program/Kelpra.ini"
}
settings() {  # ELEMENT...: LastSetting.xml without cropping, with these elements
  { echo '<?xml version="1.0" encoding="UTF-8" ?>'
    echo '<Tessivue>'
    echo '    <cutType>0</cutType>'
    printf '    %s\n' "$@"
    echo '</Tessivue>'
  } > "$program/LastSetting.xml"
}
fail() {
  echo "$session: $1"
  echo "--- data source log:"; cat "$log"
  exit 1
}
play() {  # STEP...: the data source's scenario
  "$here/../../../scripts/wine-run.sh" "$program/RefDataSource.exe" --log "Z:$log" \
    --copies "Z:$copies" "$@" >/dev/null 2>&1 || fail "the data source failed"
  ! grep -q '"event":"step-failed"' "$log" || fail "a step failed"
}
# The records and reads in order, one a line: "CODE TEXT" with a file's
# folder left out and its tick number written as N, "read WHAT TEXT" for
# what a step read.
transcript() {
  sed -nE 's/.*"code":([-0-9]+),"text":"([^"]*)".*/\1 \2/p;
           s/.*"read":"([^"]*)","text":"([^"]*)".*/read \1 \2/p' "$log" |
    sed -E 's/ $//; s/^208 .*\\([A-Za-z0-9]+_)-?[0-9]+(\.[a-z]+)$/208 \1N\2/'
}
expect() {  # EXPECTED_LINE...: the whole transcript
  diff <(transcript) <(printf '%s\n' "$@") || fail "unexpected records"
}
# The received files, in the order handed over, as their copies.
received() {
  sed -nE 's/.*"code":208,"text":"[^"]*\\([^"\\]*)","exists":true.*/\1/p' "$log" |
    while read -r name; do echo "$copies/$name"; done
}
size_of() { identify -format '%wx%h' "$1"; }

# The capture window opens as the data source asks; 1109 is Capture, 1029
# the thumbnail list, 1030 Exit.
start=(send:202 send:204:SHOWUI window:Prismel)
case "$session" in
  batch)
    # Three pictures, the second deleted from the list through its context
    # menu (its first entry deletes), then Exit: the other two are handed
    # over in order and the window closes with the data source's 212.
    camera
    settings
    play "${start[@]}" press:1109 waitcount:1029:1 press:1109 waitcount:1029:2 press:1109 \
      waitcount:1029:3 listmenu:1029:1:1 waitcount:1029:2 click:1030 waitexit
    expect "203 CONNECTED" "207 BEGIN" 209 "208 1_N.bmp" 209 "208 1_N.bmp" "207 END" \
      "207 END" 212
    mapfile -t files < <(received)
    [ "${#files[@]}" = 2 ] || fail "${#files[@]} files received"
    [ "${files[0]}" != "${files[1]}" ] || fail "the same file twice"
    for file in "${files[@]}"; do
      [ "$(size_of "$file")" = 640x480 ] || fail "$file is $(size_of "$file" || true)"
    done
    # The kept pictures are the first and the third of the three taken.
    mapfile -t shots < <(grep -ao '^camCaptureImageFile([^)]*' "$work/calls.txt" |
      grep -o '1_-\?[0-9]*\.bmp')
    [ "${#shots[@]}" = 3 ] || fail "${#shots[@]} pictures taken"
    [ "$(basename "${files[0]}")" = "${shots[0]}" ] &&
      [ "$(basename "${files[1]}")" = "${shots[2]}" ] ||
      fail "handed over ${files[*]}, taken ${shots[*]}"
    ;;
  one-by-one)
    # Each picture is handed over as soon as it is taken (a read of the
    # window marks the end of each capture); Exit closes the window, which
    # sends "END" and 212 twice: from Exit and when it is destroyed.
    camera
    settings '<ShowUIUpdataOneByOne>1</ShowUIUpdataOneByOne>'
    play "${start[@]}" press:1109 waitcount:1029:1 visible press:1109 waitcount:1029:2 visible \
      click:1030 waitexit
    expect "203 CONNECTED" 209 "208 1_N.bmp" "read visible 1" 209 "208 1_N.bmp" \
      "read visible 1" "207 END" 212 "207 END" 212
    mapfile -t files < <(received)
    [ "${#files[@]}" = 2 ] || fail "${#files[@]} files received"
    for file in "${files[@]}"; do
      [ "$(size_of "$file")" = 640x480 ] || fail "$file is $(size_of "$file" || true)"
    done
    ;;
  noui-failure)
    # Every picture fails: seven attempts, "Capture Failed.", then the Exit
    # action hides the window and hands over the empty batch: "BEGIN" only.
    camera 'Fail=camCaptureImageFile,100,-5'
    settings
    # The window stays hidden once its queue has settled: the dialog
    # manager shows a modal dialog the first time its queue runs empty.
    play send:202 send:204:NOUI window:Prismel visible click:1109 msgbox \
      waitrecord:207:BEGIN visible settle visible send:212 waitexit
    expect "203 CONNECTED" "read visible 1" "read msgbox Capture Failed." "207 BEGIN" \
      "read visible 0" "read visible 0" "207 END" 212
    attempts=$(grep -ac '^camCaptureImageFile(' "$work/calls.txt" || true)
    [ "$attempts" = 7 ] || fail "$attempts attempts"
    # How long the hand-off took after OK, for the record: a figure, not a
    # check (without a window manager it was four seconds).
    ok=$(sed -nE 's/.*"event":"msgbox-ok".*"at":([0-9]+).*/\1/p' "$log")
    begin=$(sed -nE 's/.*"code":207,"text":"BEGIN".*"at":([0-9]+).*/\1/p' "$log")
    figure="\"BEGIN\" arrived $((begin - ok)) ms after OK on \"Capture Failed.\" was pressed"
    echo "$session: $figure"
    [ -z "$artifacts" ] || { mkdir -p "$artifacts"; echo "$figure" > "$artifacts/noui-failure-handoff.txt"; }
    ;;
  two-step-merge)
    # Side by side: the first press takes the left picture, the second the
    # right one and hands over only their merge, as wide as both.
    camera
    settings '<MergeHV><isEnable>1</isEnable><direction>1</direction></MergeHV>'
    play "${start[@]}" press:1109 press:1109 waitcount:1029:1 click:1030 waitexit
    expect "203 CONNECTED" "207 BEGIN" 209 "208 Merge_N.bmp" "207 END" "207 END" 212
    mapfile -t files < <(received)
    [ "$(size_of "${files[0]}")" = 1280x480 ] || fail "merge is $(size_of "${files[0]}" || true)"
    ;;
  watermark)
    # An opaque magenta "PRISMEL" 72 points high at the top left, then the
    # same picture with the watermark off: only the first has magenta there.
    camera
    settings '<WaterMark><isEnable>1</isEnable><text>PRISMEL</text><WordSize>72</WordSize>' \
      '<color><R>255</R><G>0</G><B>255</B></color><transparency>0</transparency>' \
      '<angle>0</angle><position>0</position><isAddTimeStamp>0</isAddTimeStamp></WaterMark>'
    play "${start[@]}" press:1109 waitcount:1029:1 check:1010:0 press:1109 waitcount:1029:2 \
      click:1030 waitexit
    expect "203 CONNECTED" "207 BEGIN" 209 "208 1_N.bmp" 209 "208 1_N.bmp" "207 END" \
      "207 END" 212
    mapfile -t files < <(received)
    magenta() {  # FILE GEOMETRY: magenta pixels in that part of the picture
      convert "$1" -crop "$2" +repage -fuzz 15% -fill black +opaque '#FF00FF' \
        -fill white -opaque '#FF00FF' -format '%[fx:round(mean*w*h)]' info:
    }
    marked=$(magenta "${files[0]}" 320x160+0+0)
    elsewhere=$(magenta "${files[0]}" 320x240+320+240)
    plain=$(magenta "${files[1]}" 320x160+0+0)
    [ "$marked" -gt 500 ] && [ "$elsewhere" = 0 ] && [ "$plain" = 0 ] ||
      fail "magenta pixels: $marked at the top left, $elsewhere at the bottom right," \
        "$plain without the watermark"
    ;;
  auto-capture)
    # A timed run (the list's first timed entry: a shot each time the
    # library counts to 5) with a tick of 150 ms takes a shot about every
    # second. The dialog stays open for several shots, a screenshot of it is
    # kept, End closes it; each shot is in the thumbnail list, and Exit hands
    # them all over in the order they were taken.
    camera 'TickMs=150'
    settings
    mkdir -p "$artifacts"
    "$here/../../../scripts/wine-run.sh" "$program/RefDataSource.exe" --log "Z:$log" \
      --copies "Z:$copies" "${start[@]}" select:1095:1 click:1109 window:Timing \
      waitcalls:camCaptureImageFile:3 settle "signal:Z:$work/running" \
      "waitfor:Z:$work/running.done" settle text:1070 click:1050 window:Prismel settle count:1029 \
      click:1030 waitexit >/dev/null 2>&1 &
    source=$!
    shoot running auto-capture-dialog.png
    wait $source || fail "the data source failed"
    ! grep -q '"event":"step-failed"' "$log" || fail "a step failed"
    mapfile -t shots < <(grep -ao '^camCaptureImageFile([^)]*' "$work/calls.txt" |
      grep -o '1_-\?[0-9]*\.bmp')
    [ "${#shots[@]}" -ge 3 ] || fail "${#shots[@]} shots taken"
    counter=$(transcript | sed -n 's/^read text:1070 Page //p')
    [ -n "$counter" ] && [ "$counter" -ge 3 ] && [ "$counter" -le "${#shots[@]}" ] ||
      fail "the counter read 'Page $counter' with ${#shots[@]} shots taken"
    thumbnails=$(transcript | sed -n 's/^read count:1029 //p')
    [ "$thumbnails" = "${#shots[@]}" ] || fail "$thumbnails thumbnails for ${#shots[@]} shots"
    handed=()
    for _ in "${shots[@]}"; do handed+=(209 "208 1_N.bmp"); done
    expect "203 CONNECTED" "read text:1070 Page $counter" "read count:1029 $thumbnails" \
      "207 BEGIN" "${handed[@]}" "207 END" "207 END" 212
    mapfile -t files < <(received)
    for i in "${!shots[@]}"; do
      [ "$(basename "${files[$i]}")" = "${shots[$i]}" ] ||
        fail "handed over ${files[*]}, taken ${shots[*]}"
    done
    ;;
  *) echo "unknown session $session"; exit 2 ;;
esac
echo "$session: passed"
