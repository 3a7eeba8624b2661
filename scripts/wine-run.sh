#!/bin/sh
# Runs a Windows program under Wine in the build tree's private prefix, on a
# virtual display when there is no real one. ctest uses it as the emulator of
# the win32 build; the demo uses it too.
#
#   PRISMEL_WINEPREFIX  the prefix (default: build/win32/wineprefix beside this script's tree)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${PRISMEL_WINEPREFIX:-$here/build/win32/wineprefix}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installers: the prefix needs neither, and there is no network.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  # Chinese captions: the dialog fonts fall back to a CJK font of the system.
  link='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
  for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif"; do
    wine reg add "$link" /v "$face" /t REG_MULTI_SZ /d "wqy-microhei.ttc,WenQuanYi Micro Hei" /f \
      >/dev/null 2>&1 || true
  done
  wineserver -w || true
fi

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1400x900x24" wine "$@"
fi
exec wine "$@"
