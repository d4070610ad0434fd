#!/usr/bin/env bash
# brimlet.exe under Wine on a virtual display (Xvfb), driven by real input: xdotool
# moves the pointer and clicks, as a user would. control-on-screen.exe only tells
# where a button is. First framework-test.exe, then two runs:
#   1. a whole download from the simulated reader on COM7, starting in its
#      application firmware: every block and the finish reach the reader and the
#      log file records "다운로드 성공";
#   2. no reader: the failure notice shows, a click on its 확인 hides it, Return
#      and Escape typed into the main window leave it open, and a second click on
#      전송 starts a download again.
# A picture of the screen is saved at the end of each, and the reader's log of the
# download, under <windows build>/screenshots.
# Called by scripts/test-windows once both builds exist, with its Wine prefix.
# Usage: tests/windows/window_under_wine.sh <linux build> <windows build>
set -euo pipefail
cd "$(dirname "$0")/../.."
linux_build=$1
build=$2

packages=(xvfb xdotool imagemagick fonts-nanum)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get -o DPkg::Lock::Timeout=600 update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
    --no-install-recommends "${missing[@]}"
fi

program=$(cd "$build/program" && pwd)
shots=$(cd "$build" && pwd)/screenshots
mkdir -p "$shots"
sim=$linux_build/sim/reader-sim
model=$(sed -n 's/^BRIMLET_DEMO_MODEL:[A-Z]*=//p' "$linux_build/CMakeCache.txt")
reader_version=$(sed -n 's/^BRIMLET_DEMO_READER_VERSION:[A-Z]*=//p' "$linux_build/CMakeCache.txt")
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
export WINEPREFIX=${WINEPREFIX:-$program/../wine-prefix} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
port=7
log_file=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/brimlet/brimlet.log
work=$(mktemp -d)
xvfb_pid="" sim_pid="" brimlet_pid=""
cleanup() {
  set +e
  for pid in $brimlet_pid $sim_pid $xvfb_pid; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
  rm -f "$WINEPREFIX/dosdevices/com$port"
  [ -f "$work/sim.log" ] && cp "$work/sim.log" "$shots/reader-sim.log"
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x960x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
[ -f "$WINEPREFIX/system.reg" ] || "$wine" wineboot -i >/dev/null 2>&1

tests/windows/hangul_fonts.sh "$wine"

status=0
pass() { echo "ok   window: $1"; }
fail() { echo "FAIL window: $1"; status=1; }
# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
  local seconds=$1
  shift
  for _ in $(seq $((seconds * 10))); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}
button_at() { (cd "$program" && "$wine" control-on-screen.exe "$1" | tr -d '\r'); }
# Clicks the button once a user could: shown and enabled.
click() {
  local position
  wait_for 30 button_at "$1" || { fail "$1 is not there to click"; return 0; }
  position=$(button_at "$1")
  # shellcheck disable=SC2086 # "x y"
  xdotool mousemove $position click 1
}
log_count() { grep -c -- "$1" "$log_file" 2>/dev/null || true; }
log_has_more() { [ "$(log_count "$1")" -gt "$2" ]; }
notice_hidden() { ! button_at notice-ok; }

# The framework's Win32 back end against its headers' contracts, on this display.
(cd "$program" && "$wine" framework-test.exe | tr -d '\r') || status=1

# The reader in its application firmware on COM7, and an image of another version.
mkdir -p "$program/RIVI_OIL"
rm -f "$program"/RIVI_OIL/*.bin
"$linux_build/sim/make-sample-image" --size 1000 --version 240705 \
  --output "$program/RIVI_OIL/MakeEncryptFW_RIVI_OIL-$model-240705.bin"
"$sim" --program-folder "$work" --port "$port" --log --model "$model" \
  --version-code "$reader_version" --restart-ms 500 2>"$work/sim.log" &
sim_pid=$!
for _ in $(seq 50); do [ -L "$work/ports/COM$port" ] && break; sleep 0.1; done
ln -sfn "$(readlink "$work/ports/COM$port")" "$WINEPREFIX/dosdevices/com$port"

rm -f "$log_file"
(cd "$program" && exec "$wine" brimlet.exe) &
brimlet_pid=$!
if xdotool search --sync --onlyvisible --name "F/W Download" >/dev/null && wait_for 30 button_at transfer; then
  pass "the main window opened, found by its title"
else
  fail "no main window"; exit 1
fi

# 1. A whole download. Under Wine every serial read waits out its time-out until the
# reader-link library reads by events, so this takes minutes.
click transfer
if wait_for 900 log_has_more "result: download" 0 &&
  [ "$(log_count "status: 다운로드 성공")" -eq 1 ]; then
  pass "the download ended with 다운로드 성공 in the log file"
else
  fail "download: $(grep -e status: -e result: "$log_file" | tail -n 3)"
fi
# The result timer gives the main window back: the end state.
wait_for 30 button_at transfer || fail "전송 stayed disabled after the download"
import -window root "$shots/window-download.png"
# Every block, in order without a gap (F1 and a 3-byte offset, 256 bytes each),
# then the finish (F2).
offsets=$(sed -n 's/^RX 02 .. .. F1 \(..\) \(..\) \(..\) .*/\1\2\3/p' "$work/sim.log")
blocks=0 in_order=1
for offset in $offsets; do
  [ $((16#$offset)) -eq $((blocks * 256)) ] || in_order=0
  blocks=$((blocks + 1))
done
last_block=$(grep -n '^RX 02 .. .. F1 ' "$work/sim.log" | tail -n 1 | cut -d: -f1)
finish=$(grep -n '^RX 02 00 02 F2 ' "$work/sim.log" | tail -n 1 | cut -d: -f1)
if [ "$blocks" -ge 1 ] && [ "$in_order" -eq 1 ] && [ -n "$finish" ] && [ "$finish" -gt "$last_block" ]; then
  pass "the reader took $blocks blocks from offset 0 without a gap, then the finish (F2)"
else
  fail "at the reader: $blocks blocks (in order: $in_order), finish at line ${finish:-none}"
fi

# 2. No reader: the reader goes away.
kill "$sim_pid" && wait "$sim_pid" 2>/dev/null || true
sim_pid=""
rm -f "$WINEPREFIX/dosdevices/com$port"
failures=$(log_count "result: download failed")
click transfer
if wait_for 120 log_has_more "result: download failed" "$failures" && wait_for 10 button_at notice-ok; then
  pass "no reader: the failure notice shows its 확인"
else
  fail "no failure notice"
fi
import -window root "$shots/window-failure.png"
click notice-ok
if wait_for 10 notice_hidden; then
  pass "a click on 확인 hid the notice"
else
  fail "the notice stayed after a click on 확인"
fi
# Return and Escape typed into the model name field are swallowed by the main
# window: without that the dialog manager would end it (IDOK, IDCANCEL).
click model
xdotool key Return sleep 0.5 key Escape sleep 1
if button_at transfer >/dev/null; then
  pass "Return and Escape typed into the main window leave it open"
else
  fail "Return or Escape ended the main window"
fi
starts=$(log_count "notice: 다운로드 성공 메세지가")
click transfer
if wait_for 10 log_has_more "notice: 다운로드 성공 메세지가" "$starts"; then
  pass "a second click on 전송 started a download again"
else
  fail "the second click on 전송 started nothing"
fi
wait_for 120 log_has_more "result: download failed" "$((failures + 1))" || true
echo "     screenshots: $shots/window-download.png, $shots/window-failure.png"
exit $status
