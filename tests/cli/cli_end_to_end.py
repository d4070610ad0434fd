#!/usr/bin/env python3
"""brimlet-cli end to end: a program folder of its own with the CLI, the reader-link
library and the firmware, and reader-sim linked as its ports/COM7 on a
pseudo-terminal. One case per run: cli_end_to_end.py CASE PROGRAM_DIR READER_SIM
MODEL READER_VERSION FIRMWARE_VERSION."""
import csv
import fcntl
import hashlib
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

case, program, simulator, model, reader_version, firmware_version = sys.argv[1:7]
image_name = f"MakeEncryptFW_RIVI_OIL-{model}-{firmware_version}.bin"
folder = tempfile.mkdtemp()
for name in ("brimlet-cli", "libVexilonDll.so"):
    shutil.copy2(os.path.join(program, name), folder)
os.mkdir(os.path.join(folder, "RIVI_OIL"))
shutil.copy2(os.path.join(program, "RIVI_OIL", image_name), os.path.join(folder, "RIVI_OIL"))
with open(os.path.join(folder, "RIVI_OIL", image_name), "rb") as f:
    image = f.read()
sim = None
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAILED:", what, file=sys.stderr)


def start_sim(*faults, on_log=None):
    """on_log(line) sees each line of reader-sim's frame log as it comes."""
    global sim, sim_log
    sim = subprocess.Popen([simulator, "--program-folder", folder, "--port", "7", "--model", model,
                            "--version-code", reader_version, "--restart-ms", "500", "--log",
                            *faults], stderr=subprocess.PIPE, text=True)
    sim_log = []

    def follow(stream, log):
        for line in stream:
            log.append(line)
            if on_log:
                on_log(line)
    sim.log_thread = threading.Thread(target=follow, args=(sim.stderr, sim_log))
    sim.log_thread.start()
    for _ in range(100):
        if os.path.islink(os.path.join(folder, "ports", "COM7")):
            return
        time.sleep(0.05)
    sys.exit("reader-sim did not link COM7")


def stop_sim():
    """The frames reader-sim received, as byte strings."""
    global sim
    sim.send_signal(signal.SIGTERM)
    sim.wait(timeout=10)
    sim.log_thread.join()
    sim = None
    return [bytes.fromhex(line[3:]) for line in sim_log if line.startswith("RX ")]


def frame(payload):
    header = bytes([len(payload) >> 8, len(payload) & 0xFF]) + payload + b"\x03"
    lrc = 0
    for byte in header:
        lrc ^= byte
    return b"\x02" + header + bytes([lrc])


def cli(*arguments, on_line=None, language="ko_KR.UTF-8", env=None):
    """Runs brimlet-cli in language, its state (log file, history) in the test's folder,
    with env added to the environment; on_line(process, line) sees each output line as
    it comes."""
    environment = {**os.environ, "LC_ALL": "", "LC_MESSAGES": "", "LANG": language,
                   "XDG_STATE_HOME": os.path.join(folder, "state"), **(env or {})}
    process = subprocess.Popen([os.path.join(folder, "brimlet-cli"), *arguments],
                               stdout=subprocess.PIPE, text=True, encoding="utf-8", env=environment)
    lines = []
    for line in process.stdout:
        lines.append(line.rstrip("\n"))
        if on_line:
            on_line(process, lines[-1])
    return process.wait(timeout=120), lines


def interrupt_at(marker, presses=1, pause=0.3):
    def on_line(process, line):
        if line.startswith(marker) and not on_line.done:
            on_line.done = True
            for press in range(presses):
                time.sleep(pause if press else 0)
                process.send_signal(signal.SIGINT)
    on_line.done = False
    return on_line


def blocks_of(data):
    total = (len(data) + 255) // 256 * 256
    padded = data + b"\xff" * (total + 256 - len(data))
    return [b"\xf1" + offset.to_bytes(3, "big") + padded[offset:offset + 256]
            for offset in range(0, total + 1, 256)], total


DOWNLOAD = ("download", "--port", "7", "--model", model)
BOOT = "--start-in boot"


def success_with_one_ctrl_c():
    # Paced at 115200 baud so the transfer lasts long enough to be interrupted once.
    start_sim("--start-in", "boot", "--pace")
    code, lines = cli(*DOWNLOAD, on_line=interrupt_at("전송: "))
    received = stop_sim()
    check(code == 0, f"exit {code}")
    check(any(line.startswith("경고: 전송 중입니다.") for line in lines), "one press only warns")
    check(lines[-3:-1] == ["상태: 다운로드 성공", "알림: 다운로드가 완료되었습니다."], lines[-3:])
    progress = [line for line in lines if line.startswith("전송: ")]
    _, total = blocks_of(image)
    check(progress[0] == f"전송: 0/{total} bytes (0%)" and
          progress[-1] == f"전송: {total}/{total} bytes (100%)" and len(progress) == 11,
          f"plain progress lines {progress}")
    blocks, total = blocks_of(image)
    proof = [f for f in received if f[3] == 0x8E]
    check(len(proof) == 1 and len(proof[0]) == 3 + 17 + 2, "one key proof of 16 bytes")
    expected = [frame(p) for p in [b"\xff\x0c", b"\xff\x04", b"\xff\x97", b"\x16", b"\x16"]]
    expected += proof + [frame(b) for b in blocks]
    expected += [frame(bytes([0xF2, total >> 16])), frame(b"\xff\x04"), frame(b"\xff\x0c")]
    check(received == expected, "the exact frames the reader received")


def json_lines():
    start_sim()
    code, lines = cli(*DOWNLOAD, "--json")
    stop_sim()
    events = [json.loads(line) for line in lines]
    check(code == 0, f"exit {code}")
    check(events[-1] == {"event": "result", "exit": 0, "reason": "success", "status": "다운로드 성공",
                         "notice": "다운로드가 완료되었습니다."}, events[-1])
    logs = [e["text"] for e in events if e["event"] == "log"]
    check(logs[:2] == ["장비 확인 중...", f"COM7 => 장비 정보 : VAN=RIVI_RV00012345_C0100_R0100_{model}"]
          and "리더기 인증 확인중(3)..." in logs and logs[-1].startswith("Download OK(t:"), logs)
    sent = [e["sent"] for e in events if e["event"] == "progress"]
    check(sent == sorted(sent) and sent[-1] == events[[e["event"] for e in events].index(
        "progress")]["total"], "progress climbs to the total")


# name, reader-sim options, command-line arguments, exit code, final notice
ENDINGS = [
    ("usage", "", DOWNLOAD + ("--file", "/nonexistent/RIVI.bin"), 2, None),
    # COM numbers run 1 to 255: the last one is searched, one past either end is bad usage.
    ("port 0", "", ("download", "--port", "0"), 2, None),
    ("port 256", "", ("download", "--port", "256"), 2, None),
    ("no reader", "", ("download", "--port", "255"), 3, "단말기 연결 확인 실패"),
    ("not a RIVI file", "", DOWNLOAD + ("--file", "/dev/null"), 4,
     "vizuz 전용 프로그램입니다.\r\nRIVI FW파일을 선택해주세요."),
    ("file missing", "", DOWNLOAD, 4, "FW File을 확인하십시오."),
    ("authentication", "--refuse-auth 1", DOWNLOAD, 5,
     "단말기의 Offline F/W Download Key를 확인하십시오."),
    ("version check", f"{BOOT} --nak 16*2", DOWNLOAD, 6, "단말기 버전 조회 실패"),
    ("transfer", f"{BOOT} --refuse-blocks 6@256 --refuse-with nak", DOWNLOAD, 7, "다운로드 실패"),
    ("restart", f"{BOOT} --never-restart app", DOWNLOAD, 8, "버전 조회 실패"),
    ("port in use", "", ("download", "--port", "7"), 9, "단말기 연결 확인 실패"),
    ("connection lost", f"{BOOT} --vanish-after F1*2", DOWNLOAD, 11, "리더기 연결이 끊어졌습니다"),
    # The reader's own USB link drops off while it restarts, back 1 s after the 7000 ms wait.
    ("usb re-enumeration", f"{BOOT} --reenumerate-ms 8000", DOWNLOAD, 0, "다운로드가 완료되었습니다."),
]


def ending_rows(chosen):
    for name, options, arguments, expected_code, notice in filter(lambda row: chosen(row[0]),
                                                                  ENDINGS):
        start_sim(*options.split())
        if name == "file missing":
            os.rename(os.path.join(folder, "RIVI_OIL"), os.path.join(folder, "elsewhere"))
        holder = None
        if name == "port in use":  # another program holds the reader's port
            holder = os.open(os.path.join(folder, "ports", "COM7"), os.O_RDWR | os.O_NOCTTY)
            fcntl.flock(holder, fcntl.LOCK_EX | fcntl.LOCK_NB)
        code, lines = cli(*arguments, "--json")
        if holder is not None:
            os.close(holder)
        received = stop_sim()
        check(holder is None or not received, f"{name}: the held port was written to")
        if name == "file missing":
            os.rename(os.path.join(folder, "elsewhere"), os.path.join(folder, "RIVI_OIL"))
        check(code == expected_code, f"{name}: exit {code}")
        if notice is not None:
            result = json.loads(lines[-1])
            check(result["exit"] == expected_code and result["notice"] == notice, f"{name}: {result}")


def ctrl_c_before_the_boot_loader():
    start_sim("--delay", "FF0901:3000")
    code, lines = cli(*DOWNLOAD, on_line=interrupt_at("Offkey 확인 중..."))
    check(code == 10, f"exit {code}")
    check("알림: 중단되었습니다. 리더기는 바뀌지 않았습니다." in lines, lines[-3:])
    # The port was let go and the reader still runs its application firmware.
    code, lines = cli("info", "--port", "7", "--json")
    received = stop_sim()
    check(code == 0 and json.loads(lines[-1])["info"].startswith("VAN=RIVI_"), lines[-1])
    check(not any(f[3:6] == b"\xff\x09\x02" for f in received), "no authentication step 2")


def ctrl_c_twice_during_the_transfer():
    start_sim("--start-in", "boot", "--pace")
    code, lines = cli(*DOWNLOAD, on_line=interrupt_at("전송: ", presses=2))
    received = stop_sim()
    check(code == 10, f"exit {code}")
    check(any(line.startswith("알림: 중단되었습니다. 리더기가 부트 로더에") for line in lines), lines[-3:])
    check(not any(f[3] == 0xF2 for f in received), "no finish after the stop")
    records = [json.loads(line) for line in cli("history", "--json")[1]]
    check([r["reason"] for r in records] == ["interrupted"], f"the stopped attempt: {records}")


def english_outside_a_korean_locale():
    code, lines = cli("ports", language="en_US.UTF-8")
    check(code == 0 and lines[-1] == "Exit code 0: success: the COM ports present are listed",
          lines[-1:])
    code, lines = cli("download", "--port", "200", language="C.UTF-8")
    check(code == 3 and lines.count("Notice: 단말기 연결 확인 실패") == 1, lines)
    check(lines[-2:] == ["Status: 다운로드 실패", "Exit code 3: no reader found (or not one of "
                         "ours, or the model not confirmed)"], lines[-2:])


def history_of_two_downloads():
    """Two downloads leave two records, newest first; a damaged copy is refused by
    SHA256SUMS before anything but FF 0C reaches the reader; the export is CSV."""
    sums = os.path.join(folder, "RIVI_OIL", "SHA256SUMS")
    digest = hashlib.sha256(image).hexdigest()
    with open(sums, "w") as f:  # as sha256sum -b writes it, another file listed first
        f.write("0" * 64 + " *other.bin\n" + digest + " *" + image_name + "\n")
    start_sim(*BOOT.split())
    check(cli(*DOWNLOAD)[0] == 0, "first download, its file listed with its hash")
    stop_sim()
    with open(sums, "w") as f:
        f.write("0" * 64 + "  " + image_name + "\n")
    start_sim(*BOOT.split())
    code, _ = cli(*DOWNLOAD)
    received = stop_sim()
    os.remove(sums)
    check(code == 4, f"damaged copy: exit {code}")
    check([f[3:5] for f in received] == [b"\xff\x0c"], f"damaged copy: {received}")

    code, lines = cli("history", "--json")
    records = [json.loads(line) for line in lines]
    check(code == 0 and [r["reason"] for r in records] == ["firmware-refused", "success"],
          records)
    first = records[-1]
    check(first["serial"] == "" and first["model"] == model and first["fileSha256"] == digest
          and first["versionAfter"].endswith("_" + firmware_version) and first["port"] == 7, first)
    code, lines = cli("history", "--since", "2000-01-01", "--serial", "RV00012345")
    check(code == 0 and lines == [], f"no reader in its boot loader has a serial: {lines}")
    for since, expected in (("yesterday", 2), ("2000-01-0", 2), ("2000-01-01T00:00:00.000", 0),
                            ("2000-01-01T00:00:00.0000", 2)):
        check(cli("history", "--since", since)[0] == expected, f"--since {since}")
    unwritable = os.path.join(folder, "no-such-folder", "history.csv")
    code, _ = cli("history", "--export", unwritable)
    check(code == 1 and not os.path.exists(unwritable), f"export into a missing folder: exit {code}")

    exported = os.path.join(folder, "history.csv")
    check(cli("history", "--export", exported)[0] == 0, "export")
    with open(exported, encoding="utf-8-sig", newline="") as f:
        rows = list(csv.DictReader(f))
    check(len(rows) == 2 and rows[0]["reason"] == "firmware-refused"
          and rows[1]["file_sha256"] == digest and rows[1]["shown_text"] == "다운로드가 완료되었습니다.",
          rows)


def trace_in_the_log_file():
    state = {"XDG_STATE_HOME": os.path.join(folder, "state")}
    start_sim()
    code, _ = cli(*DOWNLOAD, "--trace", env=state)
    info_code, _ = cli("info", "--port", "7", env={**state, "BRIMLET_TRACE": "1"})
    received = stop_sim()
    with open(os.path.join(folder, "state", "brimlet", "brimlet.log"), encoding="utf-8") as log:
        trace = [line.rstrip("\n").split(" ", 1)[1] for line in log]
    check(code == 0 and info_code == 0, f"exit {code}, {info_code}")
    check(len([line for line in trace if line.startswith("trace COM7 > ")]) == len(received),
          "every frame the reader received is in the trace")
    check("trace COM7 > FF 08 [16 bytes masked] (3000 ms allowed)" in trace, "the key masked")
    key = next(f for f in received if f[3:5] == b"\xff\x08")[5:21]
    check(key.hex().upper() not in "".join(trace).replace(" ", "").upper(), "the key in clear")


try:
    {"success": success_with_one_ctrl_c, "history": history_of_two_downloads, "english": english_outside_a_korean_locale, "trace": trace_in_the_log_file, "json": json_lines, "endings": lambda: ending_rows(lambda name: name != "restart"),
     # A reader that never comes back costs the restart's wait and every reconnect try.
     "restart": lambda: ending_rows(lambda name: name == "restart"),
     "ctrl-c-before": ctrl_c_before_the_boot_loader,
     "ctrl-c-transfer": ctrl_c_twice_during_the_transfer}[case]()
finally:
    if sim:
        stop_sim()
    shutil.rmtree(folder, ignore_errors=True)
sys.exit(1 if failures else 0)
