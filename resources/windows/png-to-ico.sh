#!/bin/sh
# An icon file holding one PNG image, as Windows reads icon resources since Vista:
# the directory (one 48 x 48, 32-bit entry) and the PNG bytes as they are.
# Usage: png-to-ico.sh <icon.png> <icon.ico>
set -eu
size=$(wc -c <"$1")
le32() {
  for shift in 0 8 16 24; do
    printf "\\$(printf %03o $(($1 >> shift & 255)))"
  done
}
{
  printf '\000\000\001\000\001\000'         # reserved, type 1 (icon), one image
  printf '\060\060\000\000\001\000\040\000' # 48 x 48, no palette, one plane, 32 bits
  le32 "$size"
  le32 22 # the image follows the 6-byte header and the 16-byte entry
  cat "$1"
} >"$2"
