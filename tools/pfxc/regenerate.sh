#!/bin/sh
# Compiles every effect description under tools/pfxc/effects/ into Data/Effects/ and draws its
# preview into docs/effects/. Run from the repository root after building: the build never does.
#   tools/pfxc/regenerate.sh [BUILD_DIR]
set -eu
build=${1:-build}
pfxc="$build/tools/pfxc/pfxc"
[ -x "$pfxc" ] || { echo "build pfxc first: cmake --build $build --target pfxc" >&2; exit 1; }
mkdir -p Data/Effects docs/effects
for source in tools/pfxc/effects/*.xml; do
    name=$(basename "$source" .xml)
    "$pfxc" "$source" "Data/Effects/$name.pfx" "docs/effects/$name.png"
    echo "Data/Effects/$name.pfx"
done
