#!/usr/bin/env bash
# Usage: hangul_fonts.sh WINE   (WINEPREFIX set)
# The faces the dialog templates and the program's fonts name are Windows' own; in a
# Wine prefix they become NanumGothic (fonts-nanum), which has the Hangul. Without
# this Korean texts are drawn as boxes. regedit reads UTF-16 with a byte-order mark.
set -euo pipefail
wine=$1
reg=$(mktemp -d)
trap 'rm -rf "$reg"' EXIT
{
  printf '\xff\xfe'
  iconv -f UTF-8 -t UTF-16LE <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"MS Shell Dlg"="NanumGothic"
"맑은 고딕"="NanumGothic"
"Malgun Gothic"="NanumGothic"
"굴림"="NanumGothic"
"Gulim"="NanumGothic"
"굴림체"="NanumGothicCoding"
REG
} >"$reg/fonts.reg"
"$wine" regedit /S "Z:${reg//\//\\}\\fonts.reg"
