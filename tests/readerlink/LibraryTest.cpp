#include "framework/PortProbe.h"
#include "framework/ProgramFolder.h"
#include "tests/support/FakeReaderPty.h"
#include "tests/support/TempFolder.h"
#include "tests/support/VexilonCopy.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <future>
#include <numeric>
#include <sys/file.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using testsupport::FakeReply;
using Bytes = std::vector<std::uint8_t>;

constexpr int kPort = 7;
constexpr int kBaud = 115200;

class Library : public testing::Test {
protected:
    testsupport::TempFolder folder_;
    testsupport::VexilonCopy library_{folder_.Path()};
    testsupport::FakeReaderPty reader_{folder_.Path(), kPort};

    std::pair<int, Bytes> Poll(const Bytes& request, int timeoutMs = 3000, int port = kPort) {
        Bytes area(VQ_RECEIVE_CAPACITY);
        int received = -1;
        const int code = library_.Polling(port, static_cast<int>(request.size()), request.data(),
                                          &received, area.data(), timeoutMs);
        area.resize(static_cast<std::size_t>(std::max(received, 0)));
        return {code, area};
    }
};

TEST_F(Library, ExchangesExactFramesAndEveryByteValue) {
    Bytes all(256);
    std::iota(all.begin(), all.end(), 0);
    reader_.Enqueue(FakeReply::Answer(Bytes{0x00, 0x31}));
    reader_.Enqueue(FakeReply::Answer(all));
    ASSERT_EQ(library_.InitPort(kPort, kBaud), kPort);
    EXPECT_EQ(Poll({0xFF, 0x0C}), std::pair(VQ_OK + 0, Bytes{0x00, 0x31}));
    EXPECT_EQ(reader_.ReceivedBytes(), (Bytes{0x02, 0x00, 0x02, 0xFF, 0x0C, 0x03, 0xF2}));
    EXPECT_EQ(Poll(all), std::pair(VQ_OK + 0, all));
    EXPECT_EQ(reader_.Requests().back(), all);
}

TEST_F(Library, OpenCloseAndReopenWithoutClosing) {
    const auto openFiles = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {});
    };
    const auto filesBefore = openFiles();
    EXPECT_EQ(library_.ClosePort(kPort), VQ_ERR_PORT_NOT_OPEN);
    reader_.Enqueue(FakeReply::Answer(Bytes{0x00, 0x01}));
    for (int attempt = 0; attempt < 16; ++attempt) {
        ASSERT_EQ(library_.InitPort(kPort, kBaud), kPort) << "attempt " << attempt;
    }
    EXPECT_EQ(Poll({0x16}).second, (Bytes{0x00, 0x01}));
    EXPECT_EQ(library_.InitPort(kPort, 12345), VQ_INIT_BAD_BAUD);
    EXPECT_EQ(Poll({0x16}).first, VQ_ERR_PORT_NOT_OPEN) << "a failed reopen leaves it closed";
    EXPECT_EQ(openFiles(), filesBefore) << "every port that was replaced or failed is closed";
    EXPECT_EQ(reader_.Requests().size(), 1u);
}

TEST_F(Library, ReaderUnpluggedWhileAwaitedThenBackOnTheSamePort) {
    ASSERT_EQ(library_.InitPort(kPort, kBaud), kPort);
    auto pending = std::async(std::launch::async, [this] { return Poll({0x16}, 30000).first; });
    ASSERT_TRUE(reader_.WaitForRequests(1, 10s));
    reader_.Stop();
    EXPECT_EQ(pending.get(), VQ_ERR_PORT_LOST) << "not silence";
    EXPECT_EQ(Poll({0x16}, 30000), std::pair(VQ_ERR_PORT_LOST + 0, Bytes{})) << "the dead port";
    EXPECT_EQ(library_.InitPort(kPort, kBaud), VQ_INIT_NO_DEVICE);
    reader_.Start();
    reader_.Enqueue(FakeReply::Answer(Bytes{0x00, 0x02}));
    ASSERT_EQ(library_.InitPort(kPort, kBaud), kPort);
    EXPECT_EQ(Poll({0x16}).second, (Bytes{0x00, 0x02}));
    reader_.Stop();
    EXPECT_EQ(Poll({0x16}, 30000), std::pair(VQ_ERR_PORT_LOST + 0, Bytes{})) << "gone while idle";
}

// A program started with its standard input closed gets descriptor 0 for the port.
TEST_F(Library, PortOnDescriptorZeroWorks) {
    const int input = dup(0);
    close(0);
    const int opened = library_.InitPort(kPort, kBaud);
    reader_.Enqueue(FakeReply::Answer(Bytes{0x00}));
    const int code = Poll({0x16}).first;
    library_.ClosePort(kPort);
    dup2(input, 0);
    close(input);
    EXPECT_EQ(opened, kPort);
    EXPECT_EQ(code, VQ_OK);
}

TEST_F(Library, BadArgumentsAreRefusedAndNothingIsSentOrStored) {
    ASSERT_EQ(library_.InitPort(kPort, kBaud), kPort);
    const struct {
        const char* name;
        int sendLength;
        bool nullSend, nullLength, nullReceive;
        int timeoutMs;
    } cases[] = {{"zero length", 0, false, false, false, 100},
                 {"negative length", -1, false, false, false, 100},
                 {"length over 4096", 4097, false, false, false, 100},
                 {"no send data", 2, true, false, false, 100},
                 {"no receive length", 2, false, true, false, 100},
                 {"no receive area", 2, false, false, true, 100},
                 {"negative time-out", 2, false, false, false, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes send(5000, 0x16), area(VQ_RECEIVE_CAPACITY, 0xA5);
        int received = 99;
        EXPECT_EQ(library_.Polling(kPort, c.sendLength, c.nullSend ? nullptr : send.data(),
                                   c.nullLength ? nullptr : &received,
                                   c.nullReceive ? nullptr : area.data(), c.timeoutMs),
                  VQ_ERR_BAD_ARGUMENT);
        EXPECT_EQ(received, c.nullLength ? 99 : 0);
        EXPECT_EQ(area, Bytes(VQ_RECEIVE_CAPACITY, 0xA5));
    }
    EXPECT_TRUE(reader_.ReceivedBytes().empty());
}

TEST_F(Library, FailedOpensSayWhyAndLeaveThePortClosed) {
    std::filesystem::create_symlink(folder_.Path() / "unplugged", folder_.Path() / "ports/COM9");
    std::filesystem::create_symlink("/dev/null", folder_.Path() / "ports/COM10");
    const int holder = open((folder_.Path() / "ports/COM7").c_str(), O_RDWR | O_NOCTTY);
    ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);
    const struct {
        int port, baud, result;
    } cases[] = {{0, kBaud, VQ_INIT_BAD_PORT_NUMBER},  {-1, kBaud, VQ_INIT_NO_DEVICE},
                 {-2, kBaud, VQ_INIT_BAD_PORT_NUMBER}, {256, kBaud, VQ_INIT_BAD_PORT_NUMBER},
                 {100, kBaud, VQ_INIT_NO_DEVICE},      {9, kBaud, VQ_INIT_NO_DEVICE},
                 {10, kBaud, VQ_INIT_NOT_SERIAL},      {kPort, 12345, VQ_INIT_BAD_BAUD},
                 {kPort, 0, VQ_INIT_BAD_BAUD},         {kPort, kBaud, VQ_INIT_BUSY}};
    for (const auto& c : cases) {
        EXPECT_EQ(library_.InitPort(c.port, c.baud), c.result) << "COM" << c.port << " " << c.baud;
        EXPECT_EQ(Poll({0x16}, 100, c.port).first, VQ_ERR_PORT_NOT_OPEN) << "COM" << c.port;
    }
    // The window's port list sees the same: gone, not a terminal, held; then free.
    const ScopedProgramFolder program{folder_.Path().string()};
    for (int port : {9, 10, kPort}) {
        EXPECT_FALSE(IsComPortPresent(port)) << "COM" << port;
    }
    close(holder);
    EXPECT_TRUE(IsComPortPresent(kPort));
    EXPECT_TRUE(reader_.ReceivedBytes().empty()) << "a port in use is never written to";
}

// Nobody reads the terminal: once its buffer is full a write must give up rather
// than wait for ever, and a write that a late reader makes room for goes through.
TEST_F(Library, FullLineFailsTheWriteAndALateReaderLetsItThrough) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_TRUE(master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0);
    std::filesystem::create_symlink(ptsname(master), folder_.Path() / "ports/COM8");
    ASSERT_EQ(library_.InitPort(8, kBaud), 8);
    const Bytes request(4096, 0x16);
    int code = VQ_ERR_TIMEOUT;
    for (int sent = 0; sent < 1000 && code == VQ_ERR_TIMEOUT; ++sent) {
        code = Poll(request, 0, 8).first;
    }
    EXPECT_EQ(code, VQ_ERR_WRITE_FAILED);
    std::thread lateReader([master] {
        std::this_thread::sleep_for(300ms);
        for (std::uint8_t sink[4096]; read(master, sink, sizeof sink) > 0;) {
        }
    });
    EXPECT_EQ(Poll(request, 0, 8).first, VQ_ERR_TIMEOUT) << "written whole, then no answer";
    library_.ClosePort(8);
    lateReader.join();
    close(master);
}

} // namespace
