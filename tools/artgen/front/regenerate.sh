#!/usr/bin/env bash
# Regenerates the front end's pictures (logos, sky, hills, clouds, loading bar, chickens, bees,
# slider, check box) into Data/. The build never runs this; the results are committed.
#   tools/artgen/front/regenerate.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
build=${1:-$root/build}
cmake --build "$build" --target frontart
"$build/tools/artgen/frontart" "$root/Data"
