#!/bin/sh
# Builds the sound generator and writes every game sound, "GameSounds.xml" and docs/sounds.md
# again. The build never runs this: the files it makes are committed.
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" -j4 --target meadow_synth
mkdir -p "$root/Data/Meadow/Sounds" "$root/docs"
"$build/tools/synth/meadow_synth" "$root/Data" "$root/docs/sounds.md" "$@"
