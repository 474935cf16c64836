#!/bin/sh
# Compiles every effect description under tools/pfxc/effects/ into Data/Effects/ and draws its
# preview into docs/effects/. The build never runs this; the results are committed.
#   tools/pfxc/regenerate.sh [BUILD_DIR]
# BUILD_DIR defaults to $MEADOW_BUILD_DIR, else build/; MEADOW_JOBS as scripts/build.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-${MEADOW_BUILD_DIR:-$root/build}}
cmake --build "$build" -j "${MEADOW_JOBS:-$(nproc)}" --target pfxc
pfxc="$build/tools/pfxc/pfxc"
cd "$root"
mkdir -p Data/Effects docs/effects
for source in tools/pfxc/effects/*.xml; do
    name=$(basename "$source" .xml)
    "$pfxc" "$source" "Data/Effects/$name.pfx" "docs/effects/$name.png"
    echo "Data/Effects/$name.pfx"
done
