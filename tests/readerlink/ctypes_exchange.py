#!/usr/bin/env python3
"""Loads the reader-link library the way a foreign program would (ctypes), from a
temporary program folder whose ports/COM7 links to a pseudo-terminal this script
plays the reader on, and checks one exchange byte for byte.

usage: ctypes_exchange.py <path of libVexilonDll.so>
"""

import ctypes
import os
import shutil
import sys
import tempfile
import threading
import tty

PORT = 7
REQUEST = bytes([0xFF, 0x0C])
# STX, length 00 02, FF 0C, ETX, LRC 02^FF^0C^03 = F2
REQUEST_FRAME = bytes([0x02, 0x00, 0x02, 0xFF, 0x0C, 0x03, 0xF2])
RESPONSE = b"\x00VAN=RIVI_0001"


def frame(payload):
    body = len(payload).to_bytes(2, "big") + payload + b"\x03"
    lrc = 0
    for b in body:
        lrc ^= b
    return b"\x02" + body + bytes([lrc])


def play_reader(master, received):
    while len(received) < len(REQUEST_FRAME):
        chunk = os.read(master, 256)
        if not chunk:
            return
        received.extend(chunk)
    os.write(master, frame(RESPONSE))


def check(label, got, expected):
    if got != expected:
        print(f"FAIL {label}: got {got!r}, expected {expected!r}")
        return 1
    print(f"ok   {label}")
    return 0


def main():
    library_path = sys.argv[1]
    failures = 0
    with tempfile.TemporaryDirectory(prefix="brimlet-ctypes-") as folder:
        copy = os.path.join(folder, "libVexilonDll.so")
        shutil.copyfile(library_path, copy)
        master, slave = os.openpty()
        tty.setraw(slave)
        os.makedirs(os.path.join(folder, "ports"))
        os.symlink(os.ttyname(slave), os.path.join(folder, "ports", f"COM{PORT}"))

        lib = ctypes.CDLL(copy)
        lib.VQ_InitPort.argtypes = [ctypes.c_int, ctypes.c_int]
        lib.VQ_Polling.argtypes = [ctypes.c_int, ctypes.c_int, ctypes.c_char_p,
                                   ctypes.POINTER(ctypes.c_int), ctypes.c_char_p, ctypes.c_int]
        lib.VQ_ClosePort.argtypes = [ctypes.c_int]

        failures += check("VQ_Polling before VQ_InitPort",
                          lib.VQ_Polling(PORT, 2, REQUEST, ctypes.byref(ctypes.c_int()),
                                         ctypes.create_string_buffer(1000), 100), 1001)
        failures += check("VQ_InitPort", lib.VQ_InitPort(PORT, 115200), PORT)

        received = bytearray()
        peer = threading.Thread(target=play_reader, args=(master, received))
        peer.start()
        length = ctypes.c_int(-1)
        area = ctypes.create_string_buffer(1000)
        result = lib.VQ_Polling(PORT, len(REQUEST), REQUEST, ctypes.byref(length), area, 3000)
        peer.join(timeout=10)

        failures += check("VQ_Polling result", result, 0)
        failures += check("request frame", bytes(received), REQUEST_FRAME)
        failures += check("receive length", length.value, len(RESPONSE))
        failures += check("response", area.raw[:length.value], RESPONSE)
        failures += check("VQ_ClosePort", lib.VQ_ClosePort(PORT), 0)
        failures += check("VQ_ClosePort again", lib.VQ_ClosePort(PORT), 1001)
        os.close(master)
        os.close(slave)
    passed = 9 - failures
    print(f"{passed} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
