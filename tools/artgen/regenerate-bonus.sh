#!/usr/bin/env bash
# Regenerates only the board's bonus and vehicle animations ("Meadow/Images/Bonus"), which live
# outside the atlases, without repacking the atlas pages. The full regenerate.sh makes the same
# files. Run from anywhere:
#   tools/artgen/regenerate-bonus.sh [BUILD_DIR]
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
cmake --build "$build" -j3 --target artgen
rm -rf "$root/Data/Meadow/Images/Bonus"
"$build/tools/artgen/artgen" --bonus "$root/Data" 1
du -sh "$root/Data/Meadow/Images/Bonus"
