#!/bin/bash
# Installs what building, testing and the demo need, from Debian's packages
# only, without recommended packages, and unpacks the Debian source packages
# the Windows build compiles with the cross compiler. Installs nothing that
# is already there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  # native build and tests
  cmake make g++ ccache pkg-config dpkg-dev
  googletest libgtest-dev
  libtinyxml-dev libstb-dev libpng-dev libjpeg-dev zlib1g-dev libfontconfig-dev fonts-dejavu-core
  # the thumbnail benchmark (scripts/bench.sh) measures the product's decoders
  # next to these two libraries in the same process
  libvips-dev libmagickwand-dev
  # fuzzing (libFuzzer lives in clang's runtime package)
  clang libclang-rt-14-dev
  # the 32-bit Windows build and running it
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix wine wine32:i386 xvfb xauth
  # the SIMD parts of libjpeg-turbo, which the Windows build compiles from
  # Debian's sources (scripts/third-party-sources.sh)
  nasm
  # the 64-bit build of the same Windows tree: where the kernel refuses 32-bit
  # programs, the Windows tests and the demo run it under 64-bit Wine instead
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine64
  # checking pictures and XML, Chinese captions under Wine
  imagemagick libxml2-utils fonts-wqy-microhei
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  if ! command -v apt-get >/dev/null; then
    echo "install-deps: no apt-get here; install these by hand: ${missing[*]}" >&2
    exit 1
  fi
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

"$root/scripts/third-party-sources.sh"
