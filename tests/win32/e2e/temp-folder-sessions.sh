#!/bin/bash
# Capture sessions of the real Prismel.exe under Wine with the temp folders
# real users have: one whose name the ANSI code page (1252) cannot hold, and
# one whose path is 238 characters long. The data source starts Prismel with
# TMP and TEMP set to the folder; a plain picture and the two files of a
# multiple crop must be listed, handed over whole at Exit (each path a record
# carries: at most 259 characters, in the code page), lie in that very
# folder, and decode.
#
#   temp-folder-sessions.sh BIN_DIR SESSION
#   SESSION: cyrillic | long
set -euo pipefail
# Unix names are UTF-8 and the Windows code page is 1252, whatever the
# machine's own locale.
export LC_ALL=C.UTF-8
bin=$1 session=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/session.sh"
copies="$work/copies"
mkdir -p "$copies"
export KELPRA_CALL_LOG="Z:$work/calls.txt"

fail() {
  echo "$session: $1"
  echo "--- data source log:"; cat "$log"
  exit 1
}
windows_path() { local path=${1//\//\\}; printf 'Z:%s' "$path"; }

# The temp folder, made on the Unix side; TMP names it without the
# separator the system adds.
case "$session" in
  cyrillic)
    temp="$work/Временные файлы Пользователя"
    ;;
  long)
    # Folders of at most 100 characters until the temp path, separator
    # included, is 238 characters long.
    temp="$work"
    while :; do
      left=$((237 - $(windows_path "$temp" | wc -m) - 1))
      [ "$left" -gt 0 ] || break
      [ "$left" -le 100 ] && step=$left || step=$((left > 150 ? 100 : left / 2))
      temp="$temp/$(printf 'd%.0s' $(seq 1 "$step"))"
    done
    [ "$(windows_path "$temp" | wc -m)" = 237 ] || fail "the temp path is not 238 characters"
    ;;
  *) echo "unknown session $session"; exit 2 ;;
esac
mkdir -p "$temp"
tmp=$(windows_path "$temp")

# One camera with two documents on the desk; no cropping to begin with.
printf '[Device]\nName=Desk Camera\nDpi=100\nDocuments=2\nFormat=MJPG\nSize=640x480\n' \
  > "$program/Kelpra.ini"
printf '<?xml version="1.0" encoding="UTF-8" ?>\n<Tessivue>\n    <cutType>0</cutType>\n</Tessivue>\n' \
  > "$program/LastSetting.xml"

# 1109 is Capture, 1005 the crop list (2: multiple), 1029 the thumbnail
# list, 1030 Exit; the data source answers the batch with 212. Capture is
# clicked, not pressed, so that a message box of a refused capture cannot
# hold the data source: pictures that are never listed cost the list's two
# waits and the wait for the exit (a minute each) before the data source
# gives up and the log is shown.
"$here/../../../scripts/wine-run.sh" "$program/RefDataSource.exe" --log "Z:$log" \
  --copies "Z:$copies" --env "TMP=$tmp" --env "TEMP=$tmp" \
  send:202 send:204:SHOWUI window:Prismel click:1109 waitcount:1029:1 select:1005:2 \
  click:1109 waitcount:1029:3 click:1030 waitexit >/dev/null 2>&1 ||
  fail "the data source failed"
! grep -q '"event":"step-failed"\|"event":"waitcount"' "$log" || fail "a step failed"

# The records' codes in order, then the handed-over paths as the data source
# read them (JSON: a backslash is doubled, any other character outside ASCII
# escaped as \uXXXX).
codes=$(sed -nE 's/.*"code":([-0-9]+),"text":"([^"]*)".*/\1 \2/p' "$log" |
  sed -E 's/^208 .*/208/; s/ $//' | tr '\n' ',')
[ "$codes" = "203 CONNECTED,207 BEGIN,209,208,209,208,209,208,207 END,207 END,212," ] ||
  fail "records: $codes"
mapfile -t paths < <(sed -nE 's/.*"code":208,"text":"([^"]*)","exists":true.*/\1/p' "$log")
[ "${#paths[@]}" = 3 ] || fail "${#paths[@]} of 3 files handed over existed"
names=()
for json in "${paths[@]}"; do
  case "$json" in *'\u'*) fail "a path outside ASCII: $json" ;; esac
  path=${json//\\\\/\\}
  [ "${#path}" -le 259 ] || fail "a path of ${#path} characters: $path"
  name=${path##*\\}
  names+=("$(sed -E 's/_-?[0-9]+/_N/' <<<"$name")")
  # The folder the path names is the temp folder itself.
  [ -f "$temp/Dorvel/$name" ] || fail "$name is not in $temp/Dorvel"
  identify "$copies/$name" >/dev/null 2>&1 || fail "$name does not decode"
done
[ "${names[*]}" = "1_N.bmp 1_N_1.bmp 1_N_2.bmp" ] || fail "handed over ${names[*]}"
[ "$(identify -format '%wx%h' "$copies/${paths[0]##*\\}")" = 640x480 ] ||
  fail "the plain picture is not 640x480"
echo "$session: passed"
