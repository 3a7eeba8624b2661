#!/bin/bash
# Every test: native (plain and with sanitizers), the Windows build under
# Wine, and a short run of each fuzz target.
#
# The Windows tests run in the shipped 32-bit build (win32) where Wine can
# run 32-bit programs. Where the kernel refuses them, the win32 tree is still
# built (the product must always compile) and the same Windows tests run in
# the 64-bit build of the tree (win64) under 64-bit Wine instead.
#
#   scripts/test.sh            everything
#   scripts/test.sh linux      one preset (linux, linux-asan, win32, win64, fuzz)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh

# One compiler cache for every checkout: paths inside the tree are hashed
# relative to it, so a fresh clone reuses what an earlier one compiled.
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1

run_preset() {
  local preset=$1
  echo "=== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  case "$preset" in
    win32)
      local reason
      if reason=$(scripts/wine-can-run.sh 2>&1); then
        scripts/desktop-run.sh ctest --preset win32
      else
        echo "win32: built, not run (${reason%.}); the Windows tests run in the win64 build instead"
        run_preset win64
      fi
      ;;
    win64) scripts/desktop-run.sh ctest --preset win64 ;;
    fuzz) PRISMEL_FUZZ_JOBS=$(nproc) scripts/fuzz.sh --regression ;;
    *) ctest --preset "$preset" ;;
  esac
}

presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(linux linux-asan win32 fuzz)
for preset in "${presets[@]}"; do run_preset "$preset"; done
