#!/bin/bash
# Capture sessions of the real Prismel.exe under Wine with the reference
# camera library and data source: pictures taken with the Capture button,
# handed over in a batch at Exit or one by one, and the files the data
# source received decoded with ImageMagick. The data source copies every
# file it is handed into a folder of its own, so that the pictures can be
# read after Prismel has cleaned up.
#
#   capture-sessions.sh BIN_DIR SESSION
#   SESSION: batch | one-by-one | noui-failure | two-step-merge | watermark
set -euo pipefail
bin=$1 session=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
log="$work/log"
program="$work/program"
copies="$work/copies"
mkdir -p "$program" "$copies"
export KELPRA_CALL_LOG="Z:$work/calls.txt"
cp -r "$bin/Prismel.exe" "$bin/Kelpra.dll" "$bin/Language" "$bin/RefDataSource.exe" "$program/"

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
start=(send:202 send:204:SHOWUI wait:1500)
case "$session" in
  batch)
    # Three pictures, the second deleted from the list through its context
    # menu (its first entry deletes), then Exit: the other two are handed
    # over in order and the window closes with the data source's 212.
    camera
    settings
    play "${start[@]}" click:1109 wait:1000 click:1109 wait:1000 click:1109 wait:1000 \
      listmenu:1029:1:1 wait:500 click:1030 waitexit
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
    [ "$(basename "${files[0]}")" = "${shots[0]}" ] && [ "$(basename "${files[1]}")" = "${shots[2]}" ] ||
      fail "handed over ${files[*]}, taken ${shots[*]}"
    ;;
  *) echo "unknown session $session"; exit 2 ;;
esac
echo "$session: passed"
