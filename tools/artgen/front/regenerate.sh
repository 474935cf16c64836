#!/usr/bin/env bash
# Regenerates the front end's pictures (logos, sky, hills, clouds, loading bar, chickens, bees,
# slider, check box) into Data/. The build never runs this; the results are committed.
#   tools/artgen/front/regenerate.sh [BUILD_DIR]
# BUILD_DIR defaults to $MEADOW_BUILD_DIR, else build/; MEADOW_JOBS as scripts/build.
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
build=${1:-${MEADOW_BUILD_DIR:-$root/build}}
cmake --build "$build" -j "${MEADOW_JOBS:-$(nproc)}" --target frontart
"$build/tools/artgen/frontart" "$root/Data"
