#!/usr/bin/env bash
# Redraws only the map's pond ripples (Data/Meadow/Images/Waves), which sit beside the atlases:
# the atlases stay as they are. The build never runs this; the results are committed.
#   tools/artgen/regenerate-waves.sh [BUILD_DIR]
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
cmake --build "$build" -j3 --target artgen
"$build/tools/artgen/artgen" --waves "$root/Data"
du -sh "$root/Data/Meadow/Images/Waves"
