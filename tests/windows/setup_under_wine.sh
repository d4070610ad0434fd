#!/usr/bin/env bash
# The Windows setup program as a technician's PC meets it, under Wine in a prefix of
# its own made fresh each run (build-windows/setup-test/wine-prefix): a silent
# install lays down the files, the Start-menu entry and the uninstall key; the
# installed brimlet-cli.exe downloads into a simulated reader on COM7 with firmware
# from the user's folder; the installed brimlet.exe opens its window on a virtual
# display (picture: build-windows/setup-test/window.png); a newer-numbered setup
# replaces the program and keeps the user's settings and firmware; the silent removal
# takes the program, the entry and the key and leaves the user's folders.
set -euo pipefail
cd "$(dirname "$0")/../.."

scripts/package-windows
scripts/apt-install xvfb xdotool imagemagick
build=${WINDOWS_BUILD_DIR:-build-windows}
linux_build=${LINUX_BUILD_DIR:-build}
cmake --build "$linux_build" -j "$(nproc)" --target reader-sim make-sample-image
cache_value() {
  sed -n "s/^$2:[A-Z]*=//p" "$1/CMakeCache.txt"
}
version=$(cache_value "$build" CMAKE_PROJECT_VERSION)
model=$(cache_value "$linux_build" BRIMLET_DEMO_MODEL)
out=$(mkdir -p "$build/setup-test" && cd "$build/setup-test" && pwd)
newer=$version.1
BRIMLET_VERSION=$newer PACKAGE_DIR=$out scripts/package-windows >/dev/null
rm -rf "$out/portable" && mkdir "$out/portable"
(cd "$out/portable" && cmake -E tar xf "../../brimlet-$version-windows.zip")

wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
export WINEPREFIX=$out/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
rm -rf "$WINEPREFIX"
"$wine" wineboot -i >/dev/null 2>&1
"$wineserver" -p3 >/dev/null 2>&1 || true
# The installed window's Korean texts, drawn with NanumGothic as in the window test.
"$(dirname "$0")/hangul_fonts.sh" "$wine"
unix_folder() { # the Unix path of a Windows environment variable's folder
  "$wine" winepath -u "$("$wine" cmd /c echo "%$1%" | tr -d '\r')"
}
installed=$(unix_folder ProgramFiles)/Brimlet
settings=$(unix_folder APPDATA)/brimlet
data=$(unix_folder LOCALAPPDATA)/brimlet
shortcut="$(unix_folder ProgramData)/Microsoft/Windows/Start Menu/Programs/Brimlet 펌웨어 다운로드.lnk"
location='C:\Program Files\Brimlet'
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brimlet'
# The key as .reg text, UTF-8; fails when there is no key.
uninstall_key() {
  rm -f "$out/key.reg"
  "$wine" reg export "$key" "$("$wine" winepath -w "$out/key.reg")" /y >/dev/null 2>&1 &&
    iconv -f UTF-16 -t UTF-8 "$out/key.reg" | tr -d '\r'
}
# setup.exe and the uninstaller that it copies away end before their work does.
run_and_settle() {
  "$wine" "$@"
  "$wineserver" -w
}

status=0
check() { # check <what> <command>...
  local what=$1
  shift
  if "$@"; then echo "ok   $what"; else
    echo "FAIL $what"
    status=1
  fi
}
same_as_portable() {
  for f in brimlet.exe brimlet-cli.exe VexilonDll.dll FWDownladManual.pdf; do
    cmp -s "$installed/$f" "$out/portable/Brimlet/$f" || return 1
  done
}
program_folder_is() {
  [ "$(cd "$installed" && find . | sort | tr '\n' ' ')" = "$1" ]
}
key_holds() {
  local text
  text=$(uninstall_key) || return 1
  for line in "$@"; do grep -qxF "$line" <<<"$text" || return 1; done
}
installed_files='. ./FWDownladManual.pdf ./RIVI_OIL ./VexilonDll.dll ./brimlet-cli.exe ./brimlet.exe ./brimlet.installed ./uninstall.exe '
key_of() { # the values a setup of version $1 writes
  local size_kib
  size_kib=$(find "$installed" -type f -printf '%s\n' | awk '{ sum += $1 } END { print int(sum / 1024) }')
  printf '%s\n' '"DisplayName"="Brimlet 펌웨어 다운로드"' "\"DisplayVersion\"=\"$1\"" \
    '"Publisher"="Norvane"' '"DisplayIcon"="C:\\Program Files\\Brimlet\\brimlet.exe,0"' \
    '"InstallLocation"="C:\\Program Files\\Brimlet"' \
    '"UninstallString"="\"C:\\Program Files\\Brimlet\\uninstall.exe\""' \
    '"QuietUninstallString"="\"C:\\Program Files\\Brimlet\\uninstall.exe\" /S"' \
    "$(printf '"EstimatedSize"=dword:%08x' "$size_kib")"
}
shortcut_starts_program() {
  [ -f "$shortcut" ] && strings -a "$shortcut" | grep -qxF "$location\\brimlet.exe" &&
    strings -a -e l "$shortcut" | grep -qF "$location\\brimlet.exe"
}
one_shortcut_starts_program() {
  [ "$(find "${shortcut%/*}" -maxdepth 1 -name 'Brimlet*' | wc -l)" -eq 1 ] && shortcut_starts_program
}
no_uninstall_key() {
  ! uninstall_key >/dev/null
}
refused_untouched() { # refused_untouched <setup's exit code>
  [ "$1" -eq 2 ] && same_as_portable && key_holds "\"DisplayVersion\"=\"$version\""
}

echo "== silent install of $version"
run_and_settle "$build/brimlet-$version-setup.exe" /S
check "program folder: $installed_files" program_folder_is "$installed_files"
check "the files are the portable zip's" same_as_portable
check "Start-menu entry runs $location\\brimlet.exe with its icon" shortcut_starts_program
mapfile -t values < <(key_of "$version")
check "uninstall key: ${values[*]}" key_holds "${values[@]}"

echo "== the installed brimlet-cli.exe, firmware in %LOCALAPPDATA%\\brimlet\\RIVI_OIL"
mkdir -p "$data/RIVI_OIL" "$settings" "$out/sim"
firmware=$data/RIVI_OIL/MakeEncryptFW_RIVI_OIL-$model-240705.bin
"$linux_build/sim/make-sample-image" --size 1000 --version 240705 --output "$firmware"
# The boot loader and a four-block image: under Wine every serial read waits out its
# whole time-out.
"$linux_build/sim/reader-sim" --program-folder "$out/sim" --port 7 --log --model "$model" \
  --start-in boot --version-code "$(cache_value "$linux_build" BRIMLET_DEMO_READER_VERSION)" \
  --restart-ms 500 2>"$out/sim.log" &
sim_pid=$!
xvfb_pid=""
cleanup() {
  "$wineserver" -k 2>/dev/null || true
  kill "$sim_pid" ${xvfb_pid:+"$xvfb_pid"} 2>/dev/null || true
  wait 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do [ -L "$out/sim/ports/COM7" ] && break; sleep 0.1; done
ln -sfn "$(readlink "$out/sim/ports/COM7")" "$WINEPREFIX/dosdevices/com7"
result=$(cd "$out" && "$wine" "$installed/brimlet-cli.exe" download --port 7 --model "$model" --json |
  tail -n 1 | tr -d '\r') && cli_status=0 || cli_status=$?
check "download exits 0: $result" [ "$cli_status" -eq 0 ]
check "the reader got the image and the go (F2)" grep -q '^RX 02 00 02 F2 ' "$out/sim.log"
check "nothing written into the program folder" program_folder_is "$installed_files"

echo "== the installed brimlet.exe on a virtual display"
exec 3>"$out/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 50); do [ -s "$out/display" ] && break; sleep 0.1; done
DISPLAY=:$(cat "$out/display")
export DISPLAY
"$wine" "$installed/brimlet.exe" >/dev/null 2>&1 &
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^F/W Download Ver ' | head -n 1) || true
check "window \"$(xdotool getwindowname "${window:-0}" 2>/dev/null)\"" [ -n "$window" ]
if [ -n "$window" ]; then
  sleep 1 # the first paint
  import -window "$window" "$out/window.png" && echo "     picture: $out/window.png"
fi
"$wine" "$out/brimlet-$newer-setup.exe" /S && setup_status=0 || setup_status=$?
check "the newer setup stops while brimlet.exe runs (exit $setup_status), the program untouched" \
  refused_untouched "$setup_status"
"$wineserver" -k 2>/dev/null || true
"$wineserver" -w

echo "== update to $newer, the user's settings and firmware in place"
printf '[Settings]\r\nPort=7\r\n' >"$settings/Brimlet.ini"
sha256sum "$settings/Brimlet.ini" "$firmware" >"$out/user-files.sha256"
printf 'older' >"$installed/brimlet-cli.exe"
run_and_settle "$out/brimlet-$newer-setup.exe" /S
check "program folder: $installed_files" program_folder_is "$installed_files"
check "the program files are replaced" same_as_portable
check "settings and firmware kept" sha256sum --quiet -c "$out/user-files.sha256"
mapfile -t values < <(key_of "$newer")
check "uninstall key of $newer" key_holds "${values[@]}"
check "one Start-menu entry, running the program" one_shortcut_starts_program

echo "== silent removal"
run_and_settle "$installed/uninstall.exe" /S
check "no program folder" [ ! -e "$installed" ]
check "no Start-menu entry" [ ! -e "$shortcut" ]
check "no uninstall key" no_uninstall_key
check "settings and firmware stay" sha256sum --quiet -c "$out/user-files.sha256"

[ $status -eq 0 ] && echo "Windows setup tests passed" || echo "Windows setup tests FAILED"
exit $status
