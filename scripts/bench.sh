#!/bin/bash
# The thumbnail benchmark, in one run: the product's thumbnail path natively
# next to libvips and ImageMagick on the same files (medians, ratios, extra
# peak memory), the time from a 21-megapixel capture to its thumbnail, and
# the Windows build's thumbnail path next to a GDI+ full decode under Wine.
# It writes its own pictures (a page of fine print at 21 MP, 5 MP and 720p as
# BMP, JPEG q90 and PNG, and a 42 MP merged BMP) into build/bench-pictures.
# Not part of scripts/test.sh: figures belong here, never in a test.
#
#   scripts/bench.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh --bench >/dev/null
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
pictures="$root/build/bench-pictures"

# The Windows part runs the shipped 32-bit build where Wine can run it, else
# the 64-bit build of the same tree under 64-bit Wine.
if reason=$(scripts/wine-can-run.sh 2>&1); then
  windows=win32
  note="the shipped 32-bit build under 32-bit Wine"
else
  windows=win64
  note="the 64-bit build of the same tree under 64-bit Wine, since this machine cannot run 32-bit programs (${reason%.})"
fi

echo "=== building (native bench preset, bench-$windows preset)"
cmake --preset bench >/dev/null
cmake --build build/bench -j2 --target ThumbnailBench CaptureToThumbnailBench kelpra >/dev/null
cmake --preset "bench-$windows" >/dev/null
cmake --build "build/bench-$windows" -j2 --target ThumbnailBenchWin >/dev/null

# Written afresh each run: pictures written long ago may have left the page
# cache, or lie in it in pieces, and read slower than the product would.
rm -rf "$pictures"
echo "=== native, $(nproc) processors, load average $(cut -d' ' -f1-3 /proc/loadavg) before"
build/bench/bench/ThumbnailBench "$pictures"
echo
build/bench/bench/CaptureToThumbnailBench 5

echo
echo "=== Windows: $note"
echo "The product's thumbnail path (Win32Imaging) next to a GDI+ full decode, same files, same run:"
winpath() { printf 'Z:%s' "$1" | tr '/' '\\'; }
PRISMEL_WINEPREFIX="$root/build/bench-$windows/wineprefix" \
  scripts/desktop-run.sh --screen 1024x768 scripts/wine-run.sh --arch=$windows \
  "build/bench-$windows/bench/ThumbnailBenchWin.exe" \
  "$(winpath "$pictures/page-5616x3744.bmp")" "$(winpath "$pictures/merged-11232x3744.bmp")" \
  "$(winpath "$pictures/page-5616x3744.jpg")" "$(winpath "$pictures/page-5616x3744.png")"
echo "Goal: the BMP thumbnail at least 5x faster than the GDI+ full decode of the same file."
echo "=== load average $(cut -d' ' -f1-3 /proc/loadavg) after"
