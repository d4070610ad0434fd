#!/bin/sh
# One whole download through the real main window (the demo-download driver
# presses 전송) against the reader-sim program on a pseudo-terminal, in a program
# folder of its own: the reader-link library copied there is the one loaded, and
# reader-sim links itself as its ports/COM7.
# PRESSES "fail": the reader-sim options make the download fail, here with the MSR
# box. PRESSES 2: they pull the adapter out and plug the reader in again elsewhere;
# the first press must end with the lost connection and the second, in the same
# window, complete the download. Every case checks the log file too; "fail" runs
# with the wire trace switched on (BRIMLET_TRACE=1), the others without it.
# Usage: WholeDownload.sh PROGRAM_DIR READER_SIM DEMO_DOWNLOAD MODEL READER_VERSION
#                         FIRMWARE_VERSION [PRESSES [READER_SIM_OPTION...]]
set -eu
program=$1 simulator=$2 driver=$3 model=$4 readerVersion=$5 firmwareVersion=$6
presses=${7:-1}
shift 6
[ $# -gt 0 ] && shift
folder=$(mktemp -d)
sim=
cleanup() {
  [ -n "$sim" ] && kill -TERM "$sim" 2>/dev/null && wait "$sim" 2>/dev/null
  rm -rf "$folder"
}
trap cleanup EXIT
# Each line of the log file: a local time stamp with milliseconds and the offset.
stamp='[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{3}[+-][0-9]{2}:[0-9]{2}'
expect_in_log_file() {
  for line in "$@"; do
    if ! grep -qxE "$stamp $line" "$folder/state/brimlet/brimlet.log"; then
      echo "missing in the log file: $line" >&2
      exit 1
    fi
  done
}
cp "$program/libVexilonDll.so" "$folder/"
mkdir "$folder/RIVI_OIL"
cp "$program/RIVI_OIL/MakeEncryptFW_RIVI_OIL-$model-$firmwareVersion.bin" "$folder/RIVI_OIL/"
"$simulator" --program-folder "$folder" --port 7 --model "$model" \
  --version-code "$readerVersion" --restart-ms 500 "$@" &
sim=$!
for _ in $(seq 1 100); do
  [ -L "$folder/ports/COM7" ] && break
  sleep 0.05
done
trace=
run() {
  BRIMLET_TRACE="$trace" XDG_STATE_HOME="$folder/state" LD_LIBRARY_PATH="$folder" QT_QPA_PLATFORM=offscreen \
    "$driver" "$folder" "$folder/screen.png" "$1"
}
if [ "$presses" = fail ]; then
  trace=1
  if out=$(run 1); then
    echo "$out"
    echo "the download succeeded against a reader that must make it fail" >&2
    exit 1
  fi
  echo "$out"
  expect_in_log_file "message: MSR 인증 실패" "result: download failed" \
    "trace COM7 open 115200: \(result 7, [0-9]+ ms\)" "trace COM7 > FF 97 \(3000 ms allowed\)" \
    "trace COM7 < 00 .* \(result 0, [0-9]+ ms\)"
  exit 0
fi
out=$(run "$presses")
echo "$out"
lost=
if [ "$presses" -gt 1 ]; then
  lost="알림: 리더기 연결이 끊어졌습니다
리더기 연결이 끊어졌습니다. 리더기를 다시 연결해주세요."
  expect_in_log_file "notice: 리더기 연결이 끊어졌습니다" "result: download failed"
fi
printf '%s\n' "Version : K${model}_$readerVersion" "바이오스 인증 확인중..." "Download Start" \
  "Version : K${model}_$firmwareVersion" "상태: 다운로드 성공" "알림: 다운로드가 완료되었습니다." \
  ${lost:+"$lost"} | while IFS= read -r line; do
  if ! printf '%s\n' "$out" | grep -qxF "$line"; then
    echo "missing line: $line" >&2
    exit 1
  fi
done
printf '%s\n' "$out" | grep -qx 'Download OK(t:[0-9]*)'
# The log file holds the same, the notice's line break made a space.
expect_in_log_file "log: Download OK\(t:[0-9]+\)" "status: 다운로드 성공" "result: download succeeded" \
  "notice: 다운로드 성공 메세지가 나타나기 이전에 장치를 분리할 경우 단말기가 정상 동작하지 않을 수 있습니다\."
if grep -q ' trace COM' "$folder/state/brimlet/brimlet.log"; then
  echo "a trace in the log file without BRIMLET_TRACE" >&2
  exit 1
fi
# One history record per press, the last one the success; the first press found the
# reader in its application firmware, whose information text gives its serial.
python3 - "$folder/state/brimlet/history.jsonl" "$presses" <<'CHECK'
import json, sys
records = [json.loads(line) for line in open(sys.argv[1], encoding="utf-8")]
last = records[-1]
if len(records) != int(sys.argv[2]) or last["program"] != "brimlet" or \
        last["reason"] != "success" or records[0]["serial"] != "RV00012345" or \
        last["shown"] != "다운로드가 완료되었습니다.":
    sys.exit(f"the window's history: {records}")
CHECK
