#!/bin/bash
# The package as a user gets it: CPack makes the ZIP from this build, which
# holds Prismel.exe and its Language folder and nothing else; unpacked into
# an empty folder beside the reference camera library, it runs a session
# against the reference data source under Wine: a picture is taken, Exit
# hands it over, and it decodes. The listing is kept as a test artifact.
#
#   package-session.sh BUILD_DIR ARTIFACT_DIR
set -euo pipefail
build=$1 artifacts=$2
bin="$build/bin"
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$artifacts"
source "$here/session.sh"
fail() { echo "package: $1"; [ ! -f "$log" ] || { echo "--- data source log:"; cat "$log"; }; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null || fail "cpack failed"
zips=("$work"/package/Prismel-*.zip)
[ ${#zips[@]} = 1 ] && [ -f "${zips[0]}" ] || fail "no single ZIP: ${zips[*]}"
zip=${zips[0]}
listing=$(cd "$work" && cmake -E tar tf "$zip" | sed 's#/$##' | LC_ALL=C sort)
{ echo "$(basename "$zip")"; echo "$listing"; } > "$artifacts/package-listing.txt"
expected=$( { echo Language; echo Prismel.exe
  for file in "$bin"/Language/*.xml; do echo "Language/$(basename "$file")"; done; } | LC_ALL=C sort)
diff <(echo "$expected") <(echo "$listing") || fail "the ZIP holds other files"

# An empty folder, the package unpacked into it, the camera library beside.
folder="$work/Scanner"
mkdir -p "$folder"
(cd "$folder" && cmake -E tar xf "$zip")
cp "$bin/Kelpra.dll" "$folder/"
copies="$work/copies"
mkdir -p "$copies"
winpath() { printf 'Z:%s' "$1" | tr '/' '\\'; }
"$here/../../../scripts/wine-run.sh" "$program/RefDataSource.exe" --log "Z:$log" \
  --copies "Z:$copies" --prismel "$(winpath "$folder/Prismel.exe")" \
  send:202 send:204:SHOWUI window:Prismel text:1076 statustext press:1109 waitcount:1029:1 \
  click:1030 waitexit >/dev/null 2>&1 || fail "the data source failed"
! grep -q '"event":"step-failed"' "$log" || fail "a step failed"
[ "$(reads text:1076)" = "Scan Mode" ] || fail "the language files were not found"
[ "$(reads statustext)" = "Version : $(basename "$zip" | sed -E 's/^Prismel-(.*)-win(32|64)\.zip$/\1/')" ] ||
  fail "status bar: $(reads statustext)"
mapfile -t files < <(sed -nE 's/.*"code":208,"text":"[^"]*\\([^"\\]*)","exists":true.*/\1/p' "$log")
[ ${#files[@]} = 1 ] || fail "${#files[@]} files handed over"
[ "$(identify -format '%wx%h' "$copies/${files[0]}")" != "" ] || fail "the picture does not decode"
# Prismel wrote its settings into its own folder, nothing else.
[ -f "$folder/LastSetting.xml" ] || fail "no settings file in the package's folder"
echo "package: $(basename "$zip") runs a session; listing in $artifacts/package-listing.txt"
