#!/bin/bash
# Installs what building, testing and the demo need, from Debian's packages
# only. Installs nothing that is already there.
set -euo pipefail

packages=(
  cmake make g++ clang ccache pkg-config dpkg-dev
  googletest libgtest-dev
  libtinyxml-dev libstb-dev libpng-dev libjpeg-dev libfontconfig-dev fonts-dejavu-core
  mingw-w64 wine wine64 wine32:i386 xvfb xauth imagemagick libxml2-utils fonts-wqy-microhei
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
