#include "tests/sim/RawPort.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace simtest {

RawPort::RawPort(const std::filesystem::path& device) {
    fd_ = open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ >= 0) {
        termios settings{};
        tcgetattr(fd_, &settings);
        cfmakeraw(&settings);
        tcsetattr(fd_, TCSANOW, &settings);
    }
}

RawPort::~RawPort() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

bool RawPort::Write(const Bytes& bytes) {
    return fd_ >= 0 && write(fd_, bytes.data(), bytes.size()) == ssize_t(bytes.size());
}

Bytes RawPort::Read(std::size_t count, std::chrono::milliseconds limit) {
    Bytes received;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (fd_ >= 0 && received.size() < count) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd watched{fd_, POLLIN, 0};
        if (left.count() <= 0 || poll(&watched, 1, static_cast<int>(left.count())) <= 0) {
            break;
        }
        std::uint8_t buffer[512];
        const ssize_t got = read(fd_, buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        received.insert(received.end(), buffer, buffer + got);
    }
    return received;
}

} // namespace simtest
