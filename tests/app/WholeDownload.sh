#!/bin/sh
# One whole download through the real main window (the demo-download driver
# presses 전송) against the reader-sim program on a pseudo-terminal, in a program
# folder of its own: the reader-link library copied there is the one loaded, and
# reader-sim links itself as its ports/COM7.
# Usage: WholeDownload.sh PROGRAM_DIR READER_SIM DEMO_DOWNLOAD MODEL READER_VERSION FIRMWARE_VERSION
set -eu
program=$1 simulator=$2 driver=$3 model=$4 readerVersion=$5 firmwareVersion=$6
folder=$(mktemp -d)
sim=
cleanup() {
  [ -n "$sim" ] && kill -TERM "$sim" 2>/dev/null && wait "$sim" 2>/dev/null
  rm -rf "$folder"
}
trap cleanup EXIT
cp "$program/libVexilonDll.so" "$folder/"
mkdir "$folder/RIVI_OIL"
cp "$program/RIVI_OIL/MakeEncryptFW_RIVI_OIL-$model-$firmwareVersion.bin" "$folder/RIVI_OIL/"
"$simulator" --program-folder "$folder" --port 7 --model "$model" \
  --version-code "$readerVersion" --restart-ms 500 &
sim=$!
for _ in $(seq 1 100); do
  [ -L "$folder/ports/COM7" ] && break
  sleep 0.05
done
out=$(XDG_STATE_HOME="$folder/state" LD_LIBRARY_PATH="$folder" QT_QPA_PLATFORM=offscreen "$driver" "$folder" "$folder/screen.png")
echo "$out"
for line in "Version : K${model}_$readerVersion" "바이오스 인증 확인중..." "Download Start" \
  "Version : K${model}_$firmwareVersion" "상태: 다운로드 성공" "알림: 다운로드가 완료되었습니다."; do
  if ! printf '%s\n' "$out" | grep -qxF "$line"; then
    echo "missing line: $line" >&2
    exit 1
  fi
done
printf '%s\n' "$out" | grep -qx 'Download OK(t:[0-9]*)'
# The log file holds the same, each line stamped, the notice's line break made a space.
stamp='[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{3}[+-][0-9]{2}:[0-9]{2}'
for line in "log: Download OK\(t:[0-9]+\)" "status: 다운로드 성공" "result: download succeeded" \
  "notice: 다운로드 성공 메세지가 나타나기 이전에 장치를 분리할 경우 단말기가 정상 동작하지 않을 수 있습니다\."; do
  if ! grep -qxE "$stamp $line" "$folder/state/brimlet/brimlet.log"; then
    echo "missing in the log file: $line" >&2
    exit 1
  fi
done
