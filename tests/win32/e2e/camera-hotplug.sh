#!/bin/bash
# Cameras taken out and plugged back inside the running Prismel.exe under
# Wine: the data source has the reference camera library unplug and plug
# its devices on Prismel's user-interface thread, and the library's call
# log shows what Prismel sent each camera it opened afterwards.
#
# With the webcam, the secondary camera, taken out, its check box keeps
# its check and is disabled; a camera plugged in opens as the secondary
# camera again. With the document camera taken out, the camera that becomes
# the main camera is sent the colour, crop and rotation the lists show: its
# picture comes out grey and turned a quarter. Exit hands it over, and the
# settings keep the secondary camera switched on.
#
#   camera-hotplug.sh BIN_DIR
set -euo pipefail
bin=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/session.sh"
copies="$work/copies"
calls="$work/calls.txt"
mkdir -p "$copies"
export KELPRA_CALL_LOG="Z:$calls"

fail() {
  echo "camera-hotplug: $1"
  echo "--- data source log:"; cat "$log"
  echo "--- camera library calls:"; cat "$calls" 2>/dev/null || true
  exit 1
}

# Two small cameras; the webcam offers the secondary camera's saved size.
printf '%s\n' '[Device]' 'Name=Desk Camera' 'Dpi=100' 'Documents=1' 'Format=MJPG' 'Size=640x480' \
  '[Device]' 'Name=Desk Webcam' 'Documents=1' 'Format=MJPG' 'Size=640x480' 'Size=1280x720' \
  > "$program/Kelpra.ini"
# Grey (1), no cropping (0), a quarter turn (1), the secondary camera on,
# the main camera at 640 x 480.
cat > "$program/LastSetting.xml" <<'EOF'
<?xml version="1.0" encoding="UTF-8" ?>
<Tessivue>
    <colorType>1</colorType>
    <cutType>0</cutType>
    <rotateType>1</rotateType>
    <Webcam>
        <isEnable>1</isEnable>
        <WebcamHeight>720</WebcamHeight>
        <WebcamWidth>1280</WebcamWidth>
    </Webcam>
    <DPI>
        <MainHeight>480</MainHeight>
        <MainWidth>640</MainWidth>
    </DPI>
</Tessivue>
EOF

# Every rebuild of the device session ends with the edge-fill handler: the
# start-up's is the first camSetImageFillBorder, each device change adds one.
# 1014: secondary camera, 1019: main device list, 1109: Capture, 1029:
# thumbnail list, 1030: Exit.
"$here/../../../scripts/wine-run.sh" "$program/RefDataSource.exe" --log "Z:$log" \
  --copies "Z:$copies" send:202 send:204:SHOWUI state:1014 \
  unplug:1 waitcalls:camSetImageFillBorder:2 state:1014 \
  plug waitcalls:camSetImageFillBorder:3 state:1014 \
  unplug:0 waitcalls:camSetImageFillBorder:4 items:1019 \
  press:1109 waitcount:1029:1 click:1030 waitexit >/dev/null 2>&1 ||
  fail "the data source failed"
! grep -q '"event":"step-failed"' "$log" || fail "a step failed"

# The records and reads in order, a file's folder left out and its tick
# number written as N.
transcript=$(sed -nE 's/.*"code":([-0-9]+),"text":"([^"]*)".*/\1 \2/p;
                     s/.*"read":"([^"]*)","text":"([^"]*)".*/read \1 \2/p' "$log" |
  sed -E 's/ $//; s/^208 .*\\([A-Za-z0-9]+_)-?[0-9]+(\.[a-z]+)$/208 \1N\2/')
expected="203 CONNECTED
read state:1014 checked=1 enabled=1
read unplug 1
read state:1014 checked=1 enabled=0
read plug 2
read state:1014 checked=1 enabled=1
read unplug 1
read items:1019 Kelpra Plugged Webcam
207 BEGIN
209
208 1_N.bmp
207 END
207 END
212"
diff <(echo "$expected") <(echo "$transcript") || fail "unexpected records"

# The library's calls after the Nth restart of its devices, up to the next.
after_restart() {
  awk -v n="$1" '/^camStopCameraLib\(/ { ++seen; next } seen == n' "$calls"
}
options() {
  grep -E '^(camOpenDev|camSetImage(ColorStyle|Adjust|AutoCrop|CusCropRect|FillBorder|RotateMode))\(' ||
    true
}
# The webcam taken out: nothing is opened as the secondary camera.
! after_restart 1 | grep -q '^camOpenDev(1,' || fail "a secondary camera opened with one camera"
# A camera plugged in: it opens at the saved size in the secondary picture.
after_restart 2 | grep -A1 '^camOpenDev(1,' | tr '\n' ' ' |
  grep -qE '^camOpenDev\(1,0,1280,720\) camSetPreviewWindow\(1,[1-9][0-9]*\) $' ||
  fail "the plugged camera did not open as the secondary camera"
# The document camera taken out: the new main camera is opened, then sent
# every choice the lists show, as at start-up.
expected_options="camOpenDev(0,0,640,480)
camSetImageColorStyle(0,1)
camSetImageAdjust(0,3)
camSetImageAutoCrop(0,0)
camSetImageRotateMode(0,1)
camSetImageCusCropRect(0,0,0,0,0)
camSetImageAutoCrop(0,0)
camSetImageFillBorder(0,0)"
diff <(echo "$expected_options") <(after_restart 3 | options) ||
  fail "the new main camera was not sent the choices shown"

# Its picture, handed over at Exit: grey, 480 wide and 640 high.
picture=$(sed -nE 's/.*"code":208,"text":"[^"]*\\([^"\\]*)","exists":true.*/\1/p' "$log")
[ -n "$picture" ] || fail "no picture handed over"
seen=$(identify -format '%w %h %[type]' "$copies/$picture")
[ "$seen" = "480 640 Grayscale" ] || fail "the picture is $seen"

# The secondary camera stays switched on in the settings.
tr -d '\r' < "$program/LastSetting.xml" | grep -A1 '<Webcam>' | grep -q '<isEnable>1</isEnable>' ||
  fail "the secondary camera was saved as off: $(cat "$program/LastSetting.xml")"
echo "unplugged and plugged back: calls and settings as expected"
