#!/usr/bin/env bash
# Regenerates every picture of the game from code: draws them with artgen, packs the small ones
# into atlas pages with atlaspack, and writes the contact sheets and mock-ups into docs/ (board,
# map, buildings, characters). The map's pictures sit under "Map/Images" and get their own pages.
# The build never runs this; the results are committed. Run from anywhere:
#   tools/artgen/regenerate.sh [BUILD_DIR]
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
if [ ! -f "$build/build.ninja" ] && [ ! -f "$build/Makefile" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" -j4 --target artgen atlaspack

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Only what this script makes is replaced; other content under Data/ stays.
rm -rf "$root/Data/Atlases" "$root/Data/atlases.xml" "$root/Data/Meadow/Images/Backgrounds"
# The game ships the 1x set only (the 1024x768 layouts); artgen can draw at 2x, but not into Data.
"$build/tools/artgen/artgen" "$work/atlas" "$root/Data" "$root/docs" 1
# The level editor's pictures are separate files (see EditorArt.cpp), written by the run above.
"$build/tools/atlaspack/atlaspack" "$work/atlas" "$root/Data" 2048
du -sh "$root/Data/Atlases" "$root/Data/Meadow/Images"
