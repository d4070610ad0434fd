#!/usr/bin/env python3
"""brimlet-cli side by side: 1, 2 and 4 simultaneous downloads, each to its own
reader-sim pacing its bytes at 115200 baud on its own COM port of one program
folder; then the command line and the window (demo-download) on the same image, three
times in turn.
Usage: cli_download_bench.py PROGRAM_DIR READER_SIM DEMO_DOWNLOAD MODEL READER_VERSION
FIRMWARE_VERSION. Prints wall times, the ratio to one download, and the time each
download's own log reports ("Download OK(t:...)", from detection to the version read
back after the restart)."""
import os
import re
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

PAIRS = 3

program, simulator, window_driver, model, reader_version, firmware_version = sys.argv[1:7]
image = f"MakeEncryptFW_RIVI_OIL-{model}-{firmware_version}.bin"
folder = tempfile.mkdtemp()
for name in ("brimlet-cli", "libVexilonDll.so"):
    shutil.copy2(os.path.join(program, name), folder)
os.mkdir(os.path.join(folder, "RIVI_OIL"))
shutil.copy2(os.path.join(program, "RIVI_OIL", image), os.path.join(folder, "RIVI_OIL"))


def start_readers(ports):
    readers = [subprocess.Popen([simulator, "--program-folder", folder, "--port", str(port),
                                 "--model", model, "--version-code", reader_version, "--pace"],
                                stderr=subprocess.DEVNULL) for port in ports]
    while not all(os.path.islink(os.path.join(folder, "ports", f"COM{p}")) for p in ports):
        time.sleep(0.05)
    return readers


def stop_readers(readers):
    for reader in readers:
        reader.send_signal(signal.SIGTERM)
        reader.wait()


def logged_time(output):
    found = re.search(r"Download OK\(t:(\d+)\)", output)
    return int(found.group(1)) if found else None


def side_by_side(count):
    ports = list(range(11, 11 + count))
    readers = start_readers(ports)
    started = time.monotonic()
    runs = [subprocess.Popen([os.path.join(folder, "brimlet-cli"), "download", "--port", str(p),
                              "--model", model], stdout=subprocess.PIPE, text=True)
            for p in ports]
    outputs = [run.communicate()[0] for run in runs]
    wall = time.monotonic() - started
    stop_readers(readers)
    codes = [run.returncode for run in runs]
    return wall, codes, [logged_time(o) for o in outputs]


def window_once():
    readers = start_readers([7])
    started = time.monotonic()
    run = subprocess.run([window_driver, folder, os.path.join(folder, "screen.png")],
                         capture_output=True, text=True,
                         env=dict(os.environ, QT_QPA_PLATFORM="offscreen", LD_LIBRARY_PATH=folder))
    wall = time.monotonic() - started
    stop_readers(readers)
    return wall, run.returncode, logged_time(run.stdout)


try:
    print(f"image {image}: {os.path.getsize(os.path.join(folder, 'RIVI_OIL', image))} bytes, "
          "each reader pacing at 115200 baud")
    one = None
    for count in (1, 2, 4):
        wall, codes, logged = side_by_side(count)
        one = one or wall
        print(f"{count} side by side: {wall:.2f} s wall, {wall / one:.3f} x one; exit codes {codes};"
              f" Download OK t = {logged} ms")
    # The two alternate, so that a change in the machine's load falls on both.
    ratios = []
    for pair in range(1, PAIRS + 1):
        cli_wall, codes, cli_logged = side_by_side(1)
        window_wall, window_code, window_logged = window_once()
        print(f"pair {pair}: command line Download OK t = {cli_logged[0]} ms (exit {codes[0]}, "
              f"{cli_wall:.2f} s wall); window t = {window_logged} ms (exit {window_code}, "
              f"{window_wall:.2f} s wall, with the window's start, screenshot and 3 s result timer)")
        if cli_logged[0] and window_logged:
            ratios.append(cli_logged[0] / window_logged)
            print(f"pair {pair}: command line / window: {ratios[-1]:.4f}")
    if len(ratios) == PAIRS:
        print(f"command line / window, median of {PAIRS}: {statistics.median(ratios):.4f}")
    else:
        print("command line / window: not every download succeeded")
finally:
    shutil.rmtree(folder, ignore_errors=True)
