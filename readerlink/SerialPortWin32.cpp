#include "readerlink/SerialPort.h"

#include <windows.h>

#include <algorithm>

namespace readerlink {

namespace {

// How long the driver may take to accept a request before the write counts as
// failed; the same limit the POSIX port waits for.
constexpr DWORD kWriteWaitMs = 2000;

// ReadFile never waits longer than this in one go; a longer wait loops.
constexpr DWORD kLongestReadWaitMs = MAXDWORD - 1;

constexpr int kBauds[] = {1200,  2400,   4800,   9600,   19200, 38400,
                          57600, 115200, 230400, 460800, 921600};

HANDLE Handle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

SerialPort::OpenStatus StatusOfOpenError(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return SerialPort::OpenStatus::NoDevice;
    // A COM port is never shared: another program holding it makes the open fail
    // with "access denied", which on POSIX is the busy case.
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return SerialPort::OpenStatus::Busy;
    default:
        return SerialPort::OpenStatus::Failed;
    }
}

bool ApplySettings(HANDLE port, int baud) {
    DCB settings{};
    settings.DCBlength = sizeof settings;
    if (!GetCommState(port, &settings)) {
        return false;
    }
    settings.BaudRate = static_cast<DWORD>(baud);
    settings.ByteSize = 8;
    settings.Parity = NOPARITY;
    settings.StopBits = ONESTOPBIT;
    settings.fBinary = TRUE;
    settings.fParity = FALSE;
    // No flow control of either kind: 0x11/0x13 are ordinary bytes of a frame.
    settings.fOutxCtsFlow = FALSE;
    settings.fOutxDsrFlow = FALSE;
    settings.fDsrSensitivity = FALSE;
    settings.fOutX = FALSE;
    settings.fInX = FALSE;
    settings.fDtrControl = DTR_CONTROL_ENABLE;
    settings.fRtsControl = RTS_CONTROL_ENABLE;
    settings.fErrorChar = FALSE;
    settings.fNull = FALSE;
    // Otherwise one framing error stops every later read until it is cleared.
    settings.fAbortOnError = FALSE;
    COMMTIMEOUTS timeouts{};
    timeouts.WriteTotalTimeoutConstant = kWriteWaitMs;
    return SetCommState(port, &settings) && SetCommTimeouts(port, &timeouts);
}

bool SetReadWait(HANDLE port, DWORD waitMs) {
    COMMTIMEOUTS timeouts{};
    if (!GetCommTimeouts(port, &timeouts)) {
        return false;
    }
    // MAXDWORD / MAXDWORD / wait: ReadFile returns the moment a byte is there,
    // or after wait with none. A wait of 0 needs MAXDWORD / 0 / 0 instead: return
    // at once with whatever has arrived.
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = waitMs == 0 ? 0 : MAXDWORD;
    timeouts.ReadTotalTimeoutConstant = waitMs;
    return SetCommTimeouts(port, &timeouts);
}

} // namespace

SerialPort::OpenOutcome SerialPort::Open(const std::string& devicePath, int baud) {
    if (std::find(std::begin(kBauds), std::end(kBauds), baud) == std::end(kBauds)) {
        return {OpenStatus::BadBaud, nullptr};
    }
    if (devicePath.empty()) {
        return {OpenStatus::NoDevice, nullptr};
    }
    // Share mode 0: the port is ours alone until it is closed.
    const HANDLE port = CreateFileA(devicePath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        return {StatusOfOpenError(GetLastError()), nullptr};
    }
    if (GetFileType(port) != FILE_TYPE_CHAR || !ApplySettings(port, baud)) {
        CloseHandle(port);
        return {OpenStatus::NotSerial, nullptr};
    }
    PurgeComm(port, PURGE_RXABORT | PURGE_RXCLEAR | PURGE_TXABORT | PURGE_TXCLEAR);
    return {OpenStatus::Opened,
            std::unique_ptr<SerialPort>(new SerialPort(reinterpret_cast<std::intptr_t>(port)))};
}

SerialPort::~SerialPort() {
    CloseHandle(Handle(handle_));
}

void SerialPort::DiscardInput() {
    PurgeComm(Handle(handle_), PURGE_RXABORT | PURGE_RXCLEAR);
}

bool SerialPort::WriteAll(std::span<const std::uint8_t> bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        DWORD written = 0;
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - sent, MAXDWORD));
        if (!WriteFile(Handle(handle_), bytes.data() + sent, chunk, &written, nullptr) ||
            written == 0) {
            // An error, or the write wait passed with the device stuck.
            return false;
        }
        sent += written;
    }
    return true;
}

ByteTransport::ReadResult SerialPort::ReadSome(std::span<std::uint8_t> buffer,
                                               std::chrono::milliseconds wait) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + wait;
    const DWORD size = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), MAXDWORD));
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        const DWORD waitMs = static_cast<DWORD>(
            std::clamp<long long>(left.count(), 0, static_cast<long long>(kLongestReadWaitMs)));
        DWORD got = 0;
        if (!SetReadWait(Handle(handle_), waitMs) ||
            !ReadFile(Handle(handle_), buffer.data(), size, &got, nullptr)) {
            // The device behind the port is gone (adapter unplugged).
            gone_ = true;
            return {0, true};
        }
        if (got > 0 || waitMs < kLongestReadWaitMs) {
            return {got, false};
        }
    }
}

} // namespace readerlink
