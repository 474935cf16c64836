#!/bin/sh
# Builds the sound generator and writes every game sound, "GameSounds.xml" and docs/sounds.md
# again. The build never runs this: the files it makes are committed.
#   tools/synth/regenerate.sh [SYNTH OPTIONS]
# The build folder is $MEADOW_BUILD_DIR (or $BUILD_DIR), else build/; MEADOW_JOBS as scripts/build.
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${MEADOW_BUILD_DIR:-${BUILD_DIR:-$root/build}}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" -j "${MEADOW_JOBS:-$(nproc)}" --target meadow_synth
mkdir -p "$root/Data/Meadow/Sounds" "$root/docs"
"$build/tools/synth/meadow_synth" "$root/Data" "$root/docs/sounds.md" "$@"
