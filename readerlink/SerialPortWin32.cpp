#include "readerlink/SerialPort.h"

#include <windows.h>

#include <algorithm>

namespace readerlink {

namespace {

// How long the driver may take to accept a request before the write counts as
// failed; the same limit the POSIX port waits for.
constexpr DWORD kWriteWaitMs = 2000;

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

// What a write returns once the adapter behind an open handle was pulled out;
// a silent or slow reader never produces these.
bool IsDeviceGoneError(DWORD error) {
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_BAD_COMMAND:
    case ERROR_DEVICE_REMOVED:
    case ERROR_OPERATION_ABORTED:
    case ERROR_GEN_FAILURE:
        return true;
    default:
        return false;
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
    // MAXDWORD / 0 / 0: ReadFile takes what has arrived and never waits. Waiting is
    // done on EV_RXCHAR instead, because ReadFile's own "return on the first byte"
    // time-outs are not kept by every driver (Wine's serial reads, some USB-serial
    // adapters): they wait out the whole time-out unless the buffer fills.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    return SetCommState(port, &settings) && SetCommTimeouts(port, &timeouts) &&
           SetCommMask(port, EV_RXCHAR);
}

// One overlapped request on the port, with its own completion event. One still
// running when it goes out of scope is cancelled and waited for: the driver
// writes into it, and into the request's buffer, until it has ended.
class Request {
public:
    // A wait for EV_RXCHAR is ended by setting the event mask again, which Windows
    // documents for a pending WaitCommEvent; Wine's wait ignores CancelIoEx.
    enum class Kind { Transfer, EventWait };

    Request(HANDLE port, Kind kind) : port_(port), kind_(kind) {
        overlapped_.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    }
    ~Request() {
        Cancel();
        if (overlapped_.hEvent != nullptr) {
            CloseHandle(overlapped_.hEvent);
        }
    }
    Request(const Request&) = delete;
    Request& operator=(const Request&) = delete;

    enum class Ending { Done, TimedOut, Failed };

    bool Usable() const { return overlapped_.hEvent != nullptr; }
    OVERLAPPED* Overlapped() { return &overlapped_; }
    DWORD* Events() { return &events_; }

    // Takes what the call that started the request returned; false when it failed
    // at once, with the reason in GetLastError().
    bool Started(BOOL result) {
        running_ = result || GetLastError() == ERROR_IO_PENDING;
        return running_;
    }

    // Waits up to waitMs for the request to end; one still running then is
    // cancelled. On Failed, GetLastError() holds the reason.
    Ending Finish(DWORD waitMs, DWORD& transferred) {
        transferred = 0;
        if (WaitForSingleObject(overlapped_.hEvent, waitMs) != WAIT_OBJECT_0) {
            Cancel();
            return Ending::TimedOut;
        }
        running_ = false;
        return GetOverlappedResult(port_, &overlapped_, &transferred, FALSE) ? Ending::Done
                                                                             : Ending::Failed;
    }

    Ending Run(BOOL result, DWORD waitMs, DWORD& transferred) {
        return Started(result) ? Finish(waitMs, transferred) : Ending::Failed;
    }

private:
    void Cancel() {
        if (running_) {
            if (kind_ == Kind::EventWait) {
                SetCommMask(port_, EV_RXCHAR);
            } else {
                CancelIoEx(port_, &overlapped_);
            }
            DWORD ignored = 0;
            (void)GetOverlappedResult(port_, &overlapped_, &ignored, TRUE);
            running_ = false;
        }
    }

    HANDLE port_;
    Kind kind_;
    OVERLAPPED overlapped_{};
    DWORD events_ = 0;
    bool running_ = false;
};

// How many received bytes wait in the driver; false when the port no longer answers.
bool QueuedBytes(HANDLE port, DWORD& queued) {
    COMSTAT state{};
    DWORD errors = 0;
    if (!ClearCommError(port, &errors, &state)) {
        return false;
    }
    queued = state.cbInQue;
    return true;
}

// Waits until received bytes are queued or the deadline has passed (queued then
// 0); false when the port no longer answers.
bool AwaitInput(HANDLE port, std::chrono::steady_clock::time_point deadline, DWORD& queued) {
    for (;;) {
        Request wait(port, Request::Kind::EventWait);
        // The wait starts before the queue is looked at, so a byte arriving in
        // between still ends it; when bytes are already there it is cancelled.
        if (!wait.Usable() ||
            !wait.Started(WaitCommEvent(port, wait.Events(), wait.Overlapped())) ||
            !QueuedBytes(port, queued)) {
            return false;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (queued > 0 || left.count() <= 0) {
            return true;
        }
        const DWORD waitMs = static_cast<DWORD>(
            std::min<long long>(left.count(), static_cast<long long>(INFINITE - 1)));
        // However the wait ends, the queue is looked at again, and a port that is
        // gone fails that. A wait may end without a byte: Wine's ends within a
        // millisecond on a pseudo-terminal, which has no modem lines to read.
        DWORD unused = 0;
        (void)wait.Finish(waitMs, unused);
    }
}

// Takes bytes that are already queued. ReadFile never waits here (MAXDWORD / 0 / 0,
// and no more than the queue holds is asked for), so the wait is only for the
// completion to be reported.
bool ReadQueued(HANDLE port, std::span<std::uint8_t> into, DWORD& got) {
    Request read(port, Request::Kind::Transfer);
    return read.Usable() && read.Run(ReadFile(port, into.data(), static_cast<DWORD>(into.size()),
                                              nullptr, read.Overlapped()),
                                     INFINITE, got) == Request::Ending::Done;
}

} // namespace

SerialPort::OpenOutcome SerialPort::Open(const std::string& devicePath, int baud) {
    if (std::find(std::begin(kBauds), std::end(kBauds), baud) == std::end(kBauds)) {
        return {OpenStatus::BadBaud, nullptr};
    }
    if (devicePath.empty()) {
        return {OpenStatus::NoDevice, nullptr};
    }
    // Share mode 0: the port is ours alone until it is closed. Overlapped, so that
    // a read can wait for the first byte with a deadline of our own.
    const HANDLE port = CreateFileA(devicePath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
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
    const HANDLE port = Handle(handle_);
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        Request write(port, Request::Kind::Transfer);
        if (!write.Usable()) {
            return false;
        }
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - sent, MAXDWORD));
        DWORD written = 0;
        const Request::Ending ending =
            write.Run(WriteFile(port, bytes.data() + sent, chunk, nullptr, write.Overlapped()),
                      kWriteWaitMs, written);
        if (ending == Request::Ending::Failed) {
            gone_ = IsDeviceGoneError(GetLastError());
            return false;
        }
        if (ending == Request::Ending::TimedOut || written == 0) {
            // The device is stuck: it took nothing within the write wait.
            return false;
        }
        sent += written;
    }
    return true;
}

ByteTransport::ReadResult SerialPort::ReadSome(std::span<std::uint8_t> buffer,
                                               std::chrono::milliseconds wait) {
    const HANDLE port = Handle(handle_);
    DWORD queued = 0;
    DWORD got = 0;
    if (!AwaitInput(port, std::chrono::steady_clock::now() + wait, queued) ||
        (queued > 0 &&
         !ReadQueued(port, buffer.first(std::min<std::size_t>(queued, buffer.size())), got))) {
        // The device behind the port is gone (adapter unplugged).
        gone_ = true;
        return {0, true};
    }
    return {got, false};
}

} // namespace readerlink
