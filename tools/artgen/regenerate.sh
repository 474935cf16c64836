#!/usr/bin/env bash
# Regenerates every picture of the game from code: draws them with artgen, packs the small ones
# into atlas pages with atlaspack, and writes the contact sheets and mock-ups into docs/ (board,
# map, buildings, characters). The map's pictures sit under "Map/Images" and get their own pages;
# the tutorial tip's pictures share a small page of their own. The build never runs this; the
# results are committed. Run from anywhere:
#   tools/artgen/regenerate.sh [BUILD_DIR]
# BUILD_DIR defaults to $MEADOW_BUILD_DIR, else build/; MEADOW_JOBS as scripts/build.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-${MEADOW_BUILD_DIR:-$root/build}}
if [ ! -f "$build/build.ninja" ] && [ ! -f "$build/Makefile" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" -j "${MEADOW_JOBS:-$(nproc)}" --target artgen atlaspack

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Only what this script makes is replaced; other content under Data/ stays.
rm -rf "$root/Data/Atlases" "$root/Data/atlases.xml" "$root/Data/Meadow/Images/Backgrounds"
# The game ships the 1x set only (the 1024x768 layouts); artgen can draw at 2x, but not into Data.
"$build/tools/artgen/artgen" "$work/atlas" "$root/Data" "$root/docs" 1
# The level editor's pictures are separate files (see EditorArt.cpp), written by the run above.
"$build/tools/atlaspack/atlaspack" "$work/atlas" "$root/Data" 2048

# The tutorial tip's pictures (the fader, the note and its arrow), which the run above wrote
# as separate files, also share one 512-wide page, "tutorial_images_0", listed last: the tip
# then draws from one texture.
tutorial=Meadow/Images/Tutorial
mkdir -p "$work/tutorial/$tutorial"
cp "$root/Data/$tutorial/"*.png "$work/tutorial/$tutorial/"
"$build/tools/atlaspack/atlaspack" "$work/tutorial" "$work/tutorial-data" 512
for ext in png xml; do
    mv "$work/tutorial-data/Atlases/meadow_images_0.$ext" "$root/Data/Atlases/tutorial_images_0.$ext"
done
page=$(grep '<Atlas>' "$work/tutorial-data/atlases.xml" | sed 's/meadow_images_0/tutorial_images_0/g')
listed=$(grep -v '</Atlases>' "$root/Data/atlases.xml")
printf '%s\n%s\n</Atlases>\n' "$listed" "$page" >"$root/Data/atlases.xml"
du -sh "$root/Data/Atlases" "$root/Data/Meadow/Images"
