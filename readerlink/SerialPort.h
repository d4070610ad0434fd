#pragma once

// A serial port opened for the reader: given baud, 8N1, raw, no flow control,
// held exclusively. One implementation per operating system
// (SerialPortPosix.cpp, SerialPortWin32.cpp), chosen by the build.

#include "readerlink/ByteTransport.h"

#include <cstdint>
#include <memory>
#include <string>

namespace readerlink {

class SerialPort final : public ByteTransport {
public:
    enum class OpenStatus { Opened, NoDevice, PermissionDenied, Busy, NotSerial, BadBaud, Failed };

    struct OpenOutcome {
        OpenStatus status = OpenStatus::Failed;
        std::unique_ptr<SerialPort> port; // set only when Opened
    };

    static OpenOutcome Open(const std::string& devicePath, int baud);

    ~SerialPort() override;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    void DiscardInput() override;
    bool WriteAll(std::span<const std::uint8_t> bytes) override;
    ReadResult ReadSome(std::span<std::uint8_t> buffer, std::chrono::milliseconds wait) override;
    bool Gone() const override { return gone_; }

private:
    // A file descriptor on POSIX, a HANDLE on Windows.
    explicit SerialPort(std::intptr_t handle) : handle_(handle) {}

    std::intptr_t handle_;
    bool gone_ = false;
    // The driver's low-latency flag was off and we set it: put it back on close.
    bool lowLatencySet_ = false;
};

} // namespace readerlink
