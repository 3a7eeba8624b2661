#!/bin/bash
# Unpacks the Debian source packages that the Windows build compiles with the
# cross compiler, each the same version as the installed -dev package, into
# build/third_party-src/NAME/src (never committed). Runs as part of
# scripts/install-deps.sh; configuring the build only reads the result.
#
# apt-get source needs deb-src entries. Where there are none, they are derived
# from the Debian or Ubuntu entries of the binary sources, in either format:
# one-line (sources.list, *.list) or deb822 (*.sources).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dest_root="$root/build/third_party-src"

# source package   installed package that fixes the version
sources=(
  "tinyxml libtinyxml-dev"
  # the streaming picture decoders of the thumbnails and picture panes
  "libjpeg-turbo libjpeg62-turbo-dev"
  "libpng1.6 libpng-dev"
  "zlib zlib1g-dev"
)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

has_deb_src() {
  grep -rqsE '^Types:.*deb-src|^deb-src[[:space:]]' /etc/apt/sources.list /etc/apt/sources.list.d/
}

add_deb_src() {
  local list=/etc/apt/sources.list.d/prismel-deb-src.list
  local deb822=/etc/apt/sources.list.d/prismel-deb-src.sources
  local one_line
  one_line=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
    grep -E '^deb[[:space:]].*(debian|ubuntu)' | sed -E 's/^deb([[:space:]])/deb-src\1/' || true)
  [ -z "$one_line" ] || printf '%s\n' "$one_line" | $sudo tee "$list" >/dev/null
  local file
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] && [ "$file" != "$deb822" ] || continue
    grep -qE '^URIs:.*(debian|ubuntu)' "$file" || continue
    sed -E 's/^Types:.*/Types: deb-src/' "$file" | $sudo tee -a "$deb822" >/dev/null
  done
  if [ ! -f "$list" ] && [ ! -f "$deb822" ]; then
    echo "third-party-sources: no Debian or Ubuntu apt source found; add a deb-src line to /etc/apt/sources.list and run again" >&2
    exit 1
  fi
  $sudo apt-get update -q
}

unpack() {
  local name=$1 binary=$2
  local dest="$dest_root/$name" version
  version=$(dpkg-query -W -f='${Version}' "$binary" 2>/dev/null || true)
  if [ -z "$version" ]; then
    echo "third-party-sources: $binary is not installed; run scripts/install-deps.sh" >&2
    exit 1
  fi
  if [ -f "$dest/.version" ] && [ "$(cat "$dest/.version")" = "$version" ]; then
    return
  fi
  has_deb_src || add_deb_src
  local work="$dest.tmp"
  rm -rf "$work"
  mkdir -p "$work"
  # A security update's source can be missing from a mirror that has its
  # binaries; then the newest source of the same upstream version is used.
  local upstream candidate fetched=""
  upstream=${version%-*}
  for candidate in "$version" $(apt-cache showsrc "$name" 2>/dev/null |
      awk '/^Version:/ {print $2}' | sort -rV | uniq); do
    [ "$candidate" = "$version" ] || [ "${candidate%-*}" = "$upstream" ] || continue
    if (cd "$work" && apt-get source -qq "$name=$candidate" >/dev/null 2>&1); then
      fetched=$candidate
      break
    fi
    rm -rf "${work:?}"/*
  done
  if [ -z "$fetched" ]; then
    echo "third-party-sources: apt-get source $name=$version failed; check the deb-src entries of apt" >&2
    exit 1
  fi
  [ "$fetched" = "$version" ] ||
    echo "third-party-sources: $name $version has no source on this mirror; using $fetched"
  local unpacked
  unpacked=$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -n 1)
  rm -rf "$dest"
  mkdir -p "$dest"
  mv "$unpacked" "$dest/src"
  echo "$version" >"$dest/.version"
  rm -rf "$work"
  echo "third-party-sources: $name $fetched in $dest/src"
}

for entry in "${sources[@]}"; do
  # shellcheck disable=SC2086
  unpack $entry
done
