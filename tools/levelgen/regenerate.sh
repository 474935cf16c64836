#!/bin/sh
# Builds the level generator and writes the game's levels file again. The build and CI never
# run this: the generated file is committed, and a different compiler or library may draw
# other numbers.
#   tools/levelgen/regenerate.sh [LEVELGEN OPTIONS]
# The build folder is $MEADOW_BUILD_DIR, else build/; MEADOW_JOBS as scripts/build.
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${MEADOW_BUILD_DIR:-$root/build}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j "${MEADOW_JOBS:-$(nproc)}" --target levelgen
"$build/tools/levelgen/levelgen" --model "$root/Data/Meadow/Model/GameModel.xml" \
    --out "$root/Data/Meadow/Model/GameLevels.xml" --seed 2026 "$@"
