#include "readerlink/SerialPort.h"

#include "readerlink/LowLatency.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace readerlink {

namespace {

// How long the driver may take to accept a request before the write counts as
// failed. Writes only fill the driver's buffer, so this passes only when the
// device is stuck.
constexpr int kWriteWaitMs = 2000;

bool BaudConstant(int baud, speed_t& speed) {
    struct Rate {
        int baud;
        speed_t speed;
    };
    static constexpr Rate kRates[] = {
        {1200, B1200},     {2400, B2400},     {4800, B4800},     {9600, B9600},
        {19200, B19200},   {38400, B38400},   {57600, B57600},   {115200, B115200},
        {230400, B230400}, {460800, B460800}, {921600, B921600},
    };
    for (const Rate& rate : kRates) {
        if (rate.baud == baud) {
            speed = rate.speed;
            return true;
        }
    }
    return false;
}

SerialPort::OpenStatus StatusOfOpenError(int error) {
    switch (error) {
    case ENOENT:
    case ENXIO:
    case ENODEV:
        return SerialPort::OpenStatus::NoDevice;
    case EACCES:
    case EPERM:
        return SerialPort::OpenStatus::PermissionDenied;
    case EBUSY:
        return SerialPort::OpenStatus::Busy;
    default:
        return SerialPort::OpenStatus::Failed;
    }
}

// What a write or read returns once the device behind the descriptor is gone
// (adapter unplugged, hung up): a silent reader never produces these.
bool IsDeviceGoneError(int error) {
    return error == EIO || error == ENXIO || error == ENODEV;
}

constexpr short kHangUpEvents = POLLERR | POLLHUP;

bool ApplySettings(int fd, speed_t speed) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) {
        return false;
    }
    // raw mode: otherwise 0x11/0x13 act as XON/XOFF, CR turns into LF and the
    // line is echoed back to the reader.
    cfmakeraw(&settings);
    settings.c_cflag &= ~(PARENB | CSTOPB | CSIZE | CRTSCTS);
    // CLOCAL: a port without carrier must never block or hang up on us.
    settings.c_cflag |= CS8 | CREAD | CLOCAL;
    settings.c_iflag &= ~(IXON | IXOFF | IXANY);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    return cfsetispeed(&settings, speed) == 0 && cfsetospeed(&settings, speed) == 0 &&
           tcsetattr(fd, TCSANOW, &settings) == 0;
}

int WaitFor(int fd, short events, int waitMs) {
    pollfd entry{fd, events, 0};
    int ready;
    do {
        ready = poll(&entry, 1, waitMs);
    } while (ready < 0 && errno == EINTR);
    if (ready <= 0) {
        return ready;
    }
    return entry.revents;
}

} // namespace

SerialPort::OpenOutcome SerialPort::Open(const std::string& devicePath, int baud) {
    speed_t speed{};
    if (!BaudConstant(baud, speed)) {
        return {OpenStatus::BadBaud, nullptr};
    }
    if (devicePath.empty()) {
        return {OpenStatus::NoDevice, nullptr};
    }
    // O_NONBLOCK: a port without carrier must not block the open; reads then wait
    // in poll() so an answer is taken the moment it arrives.
    const int fd = open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return {StatusOfOpenError(errno), nullptr};
    }
    if (!isatty(fd)) {
        close(fd);
        return {OpenStatus::NotSerial, nullptr};
    }
    // TIOCEXCL binds neither root nor a program that opened the port before us; the
    // advisory lock does, among programs that take it (every copy of ours). Taken
    // before any setting is touched, so a port in use is left exactly as it was.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        close(fd);
        return {error == EWOULDBLOCK ? OpenStatus::Busy : OpenStatus::Failed, nullptr};
    }
    // Windows opens COM ports without sharing; TIOCEXCL gives the same here. A
    // driver that lacks it (some pseudo-terminals and adapters) still works, just
    // without the guard, so its failure is not fatal.
    (void)ioctl(fd, TIOCEXCL);
    if (!ApplySettings(fd, speed)) {
        (void)ioctl(fd, TIOCNXCL);
        close(fd);
        return {OpenStatus::NotSerial, nullptr};
    }
    (void)tcflush(fd, TCIOFLUSH);
    std::unique_ptr<SerialPort> port(new SerialPort(fd));
    port->lowLatencySet_ = EnableLowLatency(fd);
    return {OpenStatus::Opened, std::move(port)};
}

SerialPort::~SerialPort() {
    const int fd = static_cast<int>(handle_);
    if (lowLatencySet_) {
        DisableLowLatency(fd);
    }
    (void)ioctl(fd, TIOCNXCL);
    close(fd);
}

void SerialPort::DiscardInput() {
    (void)tcflush(static_cast<int>(handle_), TCIFLUSH);
}

bool SerialPort::WriteAll(std::span<const std::uint8_t> bytes) {
    const int fd = static_cast<int>(handle_);
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t written = write(fd, bytes.data() + sent, bytes.size() - sent);
        if (written > 0) {
            sent += static_cast<std::size_t>(written);
            continue;
        }
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            gone_ = IsDeviceGoneError(errno);
            return false;
        }
        const int revents = WaitFor(fd, POLLOUT, kWriteWaitMs);
        if (revents > 0 && (revents & kHangUpEvents) != 0) {
            gone_ = true;
        }
        if (revents <= 0 || (revents & (kHangUpEvents | POLLNVAL)) != 0) {
            return false;
        }
    }
    return true;
}

ByteTransport::ReadResult SerialPort::ReadSome(std::span<std::uint8_t> buffer,
                                               std::chrono::milliseconds wait) {
    using Clock = std::chrono::steady_clock;
    const int fd = static_cast<int>(handle_);
    const Clock::time_point deadline = Clock::now() + wait;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        const int revents =
            WaitFor(fd, POLLIN, static_cast<int>(std::max<long long>(left.count(), 0)));
        if (revents < 0) {
            gone_ = true;
            return {0, true};
        }
        if (revents == 0) {
            return {0, false};
        }
        ssize_t got;
        do {
            got = read(fd, buffer.data(), buffer.size());
        } while (got < 0 && errno == EINTR);
        if (got > 0) {
            return {static_cast<std::size_t>(got), false};
        }
        const bool nothingYet = got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
        if (!nothingYet || (revents & (kHangUpEvents | POLLNVAL)) != 0) {
            // End of file, an error or a hang-up: the device behind the port is gone.
            gone_ = true;
            return {0, true};
        }
        // Woken without data (a line-status event): wait again for the time left.
    }
}

} // namespace readerlink
