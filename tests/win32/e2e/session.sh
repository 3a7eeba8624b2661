# Sourced by the end-to-end sessions. Given `bin` (the build's folder of
# programs), it makes a work folder removed at exit, a log file in it, and a
# program folder of its own with copies of the programs and the language
# files, so that no settings of another session apply: `work`, `log`,
# `program`. `shoot SIGNAL FILE` waits for the data source's signal, saves a
# screenshot as `$artifacts/FILE` and answers the signal; `shot_steps SIGNAL`
# gives the data source's steps for it: the window settled and its live
# pictures painted, then the signal and the wait for the answer.
# `reads WHAT [LOG]` prints what the steps of that name read, one a line.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
log="$work/log"
program="$work/program"
mkdir -p "$program"
cp -r "$bin/Prismel.exe" "$bin/Kelpra.dll" "$bin/Language" "$bin/RefDataSource.exe" "$program/"

shot_steps() {
  printf '%s\n' settle waitframes "signal:Z:$work/$1" "waitfor:Z:$work/$1.done"
}
reads() { grep "\"read\":\"$1\"" "${2:-$log}" | sed -E 's/.*"text":"(.*)"}/\1/'; }
shoot() {
  for _ in $(seq 1 600); do [ -f "$work/$1" ] && break; sleep 0.1; done
  [ -f "$work/$1" ] || { echo "no $1 signal"; cat "$log"; exit 1; }
  import -window root "$artifacts/$2"
  touch "$work/$1.done"
}

# `prefix_at_dpi DPI` prints the Wine prefix to run at DPI dots per inch:
# the build's own for 96, otherwise a copy of it in the work folder, made
# once, whose screen has that DPI. The copy links to the prefix's files
# where links can be made and holds real copies of the registry and of the
# users' folders, which are what Wine and the program write.
prefix_at_dpi() {
  local prefix="${PRISMEL_WINEPREFIX:-$here/../../../build/${PRISMEL_WINEARCH:-win32}/wineprefix}"
  local wide="$work/prefix-$1"
  if [ "$1" = 96 ]; then echo "$prefix"; return; fi
  if [ ! -d "$wide" ]; then
    # Links need one file system; elsewhere the prefix is copied whole.
    cp -al "$prefix" "$wide" 2>/dev/null || { rm -rf "$wide"; cp -a "$prefix" "$wide"; }
    for f in system.reg user.reg userdef.reg; do rm "$wide/$f"; cp -p "$prefix/$f" "$wide/$f"; done
    rm -rf "$wide/drive_c/users"
    cp -a "$prefix/drive_c/users" "$wide/drive_c/users"
    PRISMEL_WINEPREFIX="$wide" "$here/../../../scripts/wine-run.sh" reg add \
      'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    WINEPREFIX="$wide" wineserver -w
  fi
  echo "$wide"
}
