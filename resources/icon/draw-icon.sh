#!/usr/bin/env bash
# Draws the program icon (resource 128): a card reader with a card in its slot and
# a downward arrow for "load into the reader". Run once by hand after a change;
# the PNG it writes is checked in and compiled into the program.
set -euo pipefail
cd "$(dirname "$0")"
convert -size 48x48 xc:none \
  -fill '#3b4252' -stroke '#1f2430' -strokewidth 1 -draw 'roundrectangle 6,20 42,45 5,5' \
  -fill '#1f2430' -stroke none -draw 'rectangle 12,22 36,25' \
  -fill '#88c0d0' -draw 'rectangle 11,31 29,39' \
  -fill '#a3be8c' -draw 'circle 36,35 36,32' \
  -fill '#e5b94b' -stroke '#8a6d1f' -strokewidth 1 -draw 'rectangle 15,4 33,23' \
  -fill '#8a6d1f' -stroke none -draw 'rectangle 18,8 23,12' \
  -fill '#2e7dd7' -stroke '#174f8f' -strokewidth 1 \
  -draw 'polygon 38,2 44,2 44,10 47,10 41,17 35,10 38,10' \
  -strip PNG32:brimlet-icon.png
