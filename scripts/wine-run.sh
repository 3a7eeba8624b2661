#!/bin/sh
# Runs a Windows program under Wine in the build tree's private prefix, on a
# virtual display when there is no real one. ctest uses it as the emulator of
# the Windows builds (each toolchain file passes its --arch); the demo and the
# end-to-end scripts use it too.
#
#   wine-run.sh [--arch=win32|win64] PROGRAM [ARGUMENT ...]
#
#   --arch / PRISMEL_WINEARCH  win32 (default): the shipped 32-bit build under
#                       32-bit Wine; win64: the 64-bit build of the same tree,
#                       for machines whose kernel refuses 32-bit programs
#   PRISMEL_WINEPREFIX  the prefix (default: build/<arch>/wineprefix beside
#                       this script's tree)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
arch="${PRISMEL_WINEARCH:-win32}"
case "${1:-}" in
  --arch=*) arch="${1#--arch=}"; shift ;;
esac

case "$arch" in
  # Debian's wine script prefers the 32-bit loader whenever it is installed,
  # so the 64-bit loader is called by its own path.
  win64) loader=/usr/lib/wine/wine64 ;;
  win32) loader=wine ;;
  *) echo "wine-run.sh: unknown architecture '$arch' (win32 or win64)" >&2; exit 2 ;;
esac
if [ "$arch" = win64 ] && [ ! -x "$loader" ]; then
  loader=$(command -v wine64 || true)
  [ -n "$loader" ] || { echo "wine-run.sh: no 64-bit Wine loader (install wine64)" >&2; exit 2; }
fi

export WINEARCH="$arch"
export WINEPREFIX="${PRISMEL_WINEPREFIX:-$here/build/$arch/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installers: the prefix needs neither, and there is no network.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# Programs that Wine starts by itself (services, child processes) use the
# same loader, as Debian's wine script arranges when it picks the 64-bit one.
[ "$arch" = win32 ] || export WINELOADER="$loader"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  "$loader" wineboot -i >/dev/null 2>&1 || true
  # Chinese captions: the dialog fonts fall back to a CJK font of the system.
  link='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
  for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif"; do
    "$loader" reg add "$link" /v "$face" /t REG_MULTI_SZ /d "wqy-microhei.ttc,WenQuanYi Micro Hei" \
      /f >/dev/null 2>&1 || true
  done
  wineserver -w || true
fi

if [ -z "${DISPLAY:-}" ]; then
  exec "$here/scripts/desktop-run.sh" "$loader" "$@"
fi
exec "$loader" "$@"
