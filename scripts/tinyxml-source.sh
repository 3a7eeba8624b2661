#!/bin/sh
# Unpacks Debian's TinyXML source package, the same version as the installed
# libtinyxml-dev, into build/third_party-src/tinyxml (never committed). The
# Windows build compiles it with the cross compiler.
#
# Usage: scripts/tinyxml-source.sh [destination-folder]
# Prints the unpacked source folder on its last line.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
dest=${1:-"$root/build/third_party-src/tinyxml"}

version=$(dpkg-query -W -f='${Version}' libtinyxml-dev 2>/dev/null || true)
if [ -z "$version" ]; then
  version=$(apt-cache policy libtinyxml-dev | awk '/Candidate:/ {print $2}')
fi
if [ -z "$version" ] || [ "$version" = "(none)" ]; then
  echo "tinyxml-source: no libtinyxml-dev version known to apt" >&2
  exit 1
fi
upstream=${version#*:}
upstream=${upstream%-*}
stamp="$dest/.version"

if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$version" ] && [ -f "$dest/src/tinyxml.cpp" ]; then
  echo "$dest/src"
  exit 0
fi

# apt-get source needs a deb-src entry; derive one from the binary sources.
if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  src=/etc/apt/sources.list.d/debian.sources
  if [ ! -f "$src" ]; then
    echo "tinyxml-source: no $src to derive a deb-src entry from" >&2
    exit 1
  fi
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo=sudo; fi
  sed 's/^Types:.*/Types: deb-src/' "$src" | $sudo tee /etc/apt/sources.list.d/debian-src.sources >/dev/null
  $sudo apt-get update -qq
fi

work="$dest.tmp"
rm -rf "$work"
mkdir -p "$work"
(cd "$work" && apt-get source -qq "tinyxml=$version" >/dev/null)
unpacked=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name "tinyxml-*" | head -n 1)
if [ -z "$unpacked" ] || [ ! -f "$unpacked/tinyxml.cpp" ]; then
  echo "tinyxml-source: apt-get source did not unpack tinyxml $upstream" >&2
  exit 1
fi
rm -rf "$dest"
mkdir -p "$dest"
mv "$unpacked" "$dest/src"
echo "$version" > "$stamp"
rm -rf "$work"
echo "$dest/src"
