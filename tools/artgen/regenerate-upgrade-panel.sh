#!/usr/bin/env bash
# Redraws only the upgrade panel's pictures (Data/Meadow/Images/Upgrade), which sit beside the
# atlases: the atlases stay as they are. The build never runs this; the results are committed.
#   tools/artgen/regenerate-upgrade-panel.sh [BUILD_DIR]
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
cmake --build "$build" -j3 --target artgen
"$build/tools/artgen/artgen" --upgrade-panel "$root/Data"
du -sh "$root/Data/Meadow/Images/Upgrade"
