#!/bin/bash
# Installs what building, testing and the demo need, from Debian's packages
# only, without recommended packages, and unpacks the Debian source packages
# the Windows build compiles with the cross compiler. Installs nothing that
# is already there.
#
#   install-deps.sh           the test command: native, Windows, fuzzing
#   install-deps.sh --demo    the demo: the Windows build and running it
#   install-deps.sh --bench   the test command's packages and the two
#                             libraries the thumbnail benchmark measures
#   install-deps.sh --dry-run [--demo|--bench]
#                             prints what apt-get would add, installs nothing
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# Configuring any tree: the native -dev packages also fix the versions of the
# Debian sources that the Windows build compiles (third-party-sources.sh), and
# the Windows tree compiles GoogleTest from /usr/src/googletest.
build=(
  cmake make g++ ccache pkg-config dpkg-dev
  googletest libgtest-dev
  libtinyxml-dev libstb-dev libpng-dev libjpeg-dev zlib1g-dev libfontconfig-dev fonts-dejavu-core
)
windows=(
  # the 32-bit Windows build and running it
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix wine wine32:i386
  # the SIMD parts of libjpeg-turbo, which the Windows build compiles from
  # Debian's sources
  nasm
  # the 64-bit build of the same Windows tree: where the kernel refuses 32-bit
  # programs, the Windows tests and the demo run it under 64-bit Wine instead
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine64
  # a desktop: a virtual display with a window manager on it
  xvfb xauth openbox x11-utils
  # checking pictures and XML, screenshots, Chinese captions under Wine
  imagemagick libxml2-utils fonts-wqy-microhei
)
# libFuzzer lives in clang's runtime package
fuzzing=(clang libclang-rt-14-dev)
# the thumbnail benchmark measures the product's decoders next to these two
# libraries in the same process
bench=(libvips-dev libmagickwand-dev)

dry_run=false
set_name=test
for argument in "$@"; do
  case "$argument" in
    --dry-run) dry_run=true ;;
    --demo) set_name=demo ;;
    --bench) set_name=bench ;;
    *) echo "install-deps: unknown option '$argument'" >&2; exit 2 ;;
  esac
done
case "$set_name" in
  demo) packages=("${build[@]}" "${windows[@]}") ;;
  test) packages=("${build[@]}" "${windows[@]}" "${fuzzing[@]}") ;;
  bench) packages=("${build[@]}" "${windows[@]}" "${fuzzing[@]}" "${bench[@]}") ;;
esac

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
if [ ${#missing[@]} -gt 0 ]; then
  if ! command -v apt-get >/dev/null; then
    echo "install-deps: no apt-get here; install these by hand: ${missing[*]}" >&2
    exit 1
  fi
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  $sudo apt-get update -q
  if $dry_run; then
    apt-get install -s --no-install-recommends "${missing[@]}" | grep -E '^[0-9]+ upgraded'
    exit 0
  fi
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
$dry_run && { echo "install-deps: nothing to add for --$set_name"; exit 0; }

"$root/scripts/third-party-sources.sh"
