#include "readerlink/SerialPort.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

static int scriptedWrites = 0; // while above 0, each write takes at most one byte, the first none

// The port's writes end here first: a driver that takes less than it is given.
extern "C" ssize_t write(int fd, const void* bytes, size_t count) {
    static const auto real =
        reinterpret_cast<ssize_t (*)(int, const void*, size_t)>(dlsym(RTLD_NEXT, "write"));
    if (scriptedWrites > 0) {
        count = std::min<size_t>(count, scriptedWrites-- == 16 ? 0 : 1);
    }
    return real(fd, bytes, count);
}

namespace {

TEST(SerialPort, ADriverTakingLessThanGivenGetsEveryByteOnce) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_TRUE(master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0);
    const auto opened = readerlink::SerialPort::Open(ptsname(master), 115200);
    ASSERT_TRUE(opened.port);
    const std::vector<std::uint8_t> frame = {0x02, 0x00, 0x02, 0xFF, 0x0C, 0x03, 0xF2};
    scriptedWrites = 16;
    EXPECT_TRUE(opened.port->WriteAll(frame));
    scriptedWrites = 0;
    std::vector<std::uint8_t> wire(64);
    wire.resize(static_cast<std::size_t>(std::max<ssize_t>(read(master, wire.data(), 64), 0)));
    EXPECT_EQ(wire, frame);
    close(master);
}

} // namespace
