#!/bin/sh
# Renders the program icon's PNG sizes from its SVG. Run by hand after changing the SVG and
# commit the PNGs: the build itself needs no SVG converter. Needs rsvg-convert (librsvg2-bin).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
name=org.norvalis.Norvalis
svg="$here/icons/hicolor/scalable/apps/$name.svg"
for size in 16 32 48 64 128 256; do
    dir="$here/icons/hicolor/${size}x${size}/apps"
    mkdir -p "$dir"
    rsvg-convert --width "$size" --height "$size" --output "$dir/$name.png" "$svg"
done
