#!/usr/bin/env bash
# Redraws the pictures under docs/ from a built generator: every screen through the game's 15-bit
# conversion, the tiles with their crunch frames, and the theme's spectrogram.
# Needs a build (./run.sh or cmake --build build), sox, and ImageMagick's convert.
set -euo pipefail
cd "$(dirname "$0")/.."
tool=${1:-build/mkassets}
command -v convert >/dev/null || { echo "needs ImageMagick (apt-get install imagemagick)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/preview" "$work/files" docs
"$tool" "$work/archive.vxz" --preview "$work/preview" --extract "$work/files"
convert "$work/preview/montage.png" -resize 75% -dither FloydSteinberg -colors 256 PNG8:docs/screens-montage.png
convert "$work/preview/tiles.png" -colors 256 PNG8:docs/tiles-and-crunch.png
montage -label "Before level 3: black jellybeans" "$work/preview/screen_info_blackjellybean.jpg.png" \
  -label "Before level 7: candy canes" "$work/preview/screen_info_wildcard.jpg.png" \
  -label "Paused: P goes on too" "$work/preview/screen_pause.png" \
  -tile 3x -geometry 400x300+6+6 -pointsize 15 -background "#f4e8f4" "$work/info.png"
convert "$work/info.png" -dither FloydSteinberg -colors 256 PNG8:docs/screens-info.png
sox "$work/files/theme.ogg" -n remix - spectrogram -x 900 -y 257 \
  -t "theme.ogg (mono sum); the loop starts at 2.994 s" -o "$work/spectrogram.png"
convert "$work/spectrogram.png" -colors 256 PNG8:docs/theme-spectrogram.png
echo "docs/screens-montage.png docs/tiles-and-crunch.png docs/screens-info.png docs/theme-spectrogram.png"
