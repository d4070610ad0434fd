// The pseudo-terminal server on its own, with a scripted responder behind it: the
// bytes on the raw device, its log, its port link, and a port that vanishes.

#include "tests/support/FakeReaderPty.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <mutex>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using testsupport::FakeReply;
using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

struct Served {
    testsupport::TempFolder folder;
    testsupport::ScriptedResponder script;
    std::mutex lock;
    std::vector<std::string> log;
    sim::PtyReader server{script, {folder.Path(), 5, true, [this](const std::string& line) {
                                       const std::lock_guard<std::mutex> hold(lock);
                                       log.push_back(line);
                                   }}};
    int fd = -1;

    Served() {
        EXPECT_EQ(server.Open(), std::nullopt);
        server.Start();
        fd = open(server.LinkPath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios settings{};
        tcgetattr(fd, &settings);
        cfmakeraw(&settings);
        tcsetattr(fd, TCSANOW, &settings);
    }
    ~Served() { close(fd); }

    // Writes request and reads what comes back within half a second.
    Bytes Exchange(const Bytes& request) {
        EXPECT_EQ(write(fd, request.data(), request.size()), ssize_t(request.size()));
        Bytes received;
        std::uint8_t buffer[64];
        ssize_t got = 0;
        for (pollfd watched{fd, POLLIN, 0};
             poll(&watched, 1, 500) > 0 && (got = read(fd, buffer, sizeof buffer)) > 0;) {
            received.insert(received.end(), buffer, buffer + got);
        }
        return received;
    }
};

TEST(PtyServer, PacedExactBytesWithDamagedFramesRefusedAndEverythingLogged) {
    Served served;
    served.script.SetResponder([](auto) { return FakeReply::Answer(Bytes{0x00}); });
    EXPECT_EQ(served.Exchange({0x02, 0x00, 0x03, 0xFF, 0x98, 0x05, 0x03, 0x62}),
              (Bytes{0x02, 0x00, 0x01, 0x00, 0x03, 0x02}));
    EXPECT_EQ(served.Exchange({0x02, 0x00, 0x01, 0x16, 0x03, 0x15}), Bytes{0x15}) << "bad LRC";
    EXPECT_EQ(served.Exchange({0x55, 0x02, 0x00, 0x01, 0x16, 0x03, 0x14}),
              (Bytes{0x02, 0x00, 0x01, 0x00, 0x03, 0x02}))
        << "garbage before STX";
    served.script.Enqueue(FakeReply::Silence());
    EXPECT_EQ(served.Exchange({0x02, 0x00, 0x01, 0x16, 0x03, 0x14}), Bytes{});
    const std::lock_guard<std::mutex> hold(served.lock);
    EXPECT_EQ(served.log,
              (std::vector<std::string>{"RX 02 00 03 FF 98 05 03 62", "TX 02 00 01 00 03 02",
                                        "-- malformed request frame, refused", "TX 15",
                                        "RX 02 00 01 16 03 14", "TX 02 00 01 00 03 02",
                                        "RX 02 00 01 16 03 14", "-- no answer"}));
}

TEST(PtyServer, PortVanishesAfterTheMarkedAnswerAndStopCutsAWaitShort) {
    Served served;
    served.script.Enqueue({{sim::Reply::Kind::Response, {0x00}, {}, true}});
    EXPECT_EQ(served.Exchange({0x02, 0x00, 0x01, 0x16, 0x03, 0x14}),
              (Bytes{0x02, 0x00, 0x01, 0x00, 0x03, 0x02}));
    served.Exchange({0x02, 0x00, 0x01, 0x16, 0x03, 0x14});
    served.server.Stop();
    EXPECT_TRUE(served.server.Vanished());
    EXPECT_FALSE(fs::exists(fs::symlink_status(served.server.LinkPath())));

    Served waiting;
    waiting.script.Enqueue(FakeReply::Answer(Bytes{0x00}).After(600s));
    EXPECT_EQ(waiting.Exchange({0x02, 0x00, 0x01, 0x16, 0x03, 0x14}), Bytes{});
    waiting.server.Stop(); // would hang for ten minutes if the wait ignored the stop
    EXPECT_FALSE(waiting.server.Vanished());
}

TEST(PtyServer, LinkMadeOnOpenReplacesAStaleOneAndGoesOnStop) {
    testsupport::TempFolder folder;
    testsupport::ScriptedResponder script;
    sim::PtyReader older(script, {folder.Path(), 6, false, {}});
    sim::PtyReader newer(script, {folder.Path(), 6, false, {}});
    ASSERT_EQ(older.Open(), std::nullopt);
    ASSERT_EQ(newer.Open(), std::nullopt);
    EXPECT_EQ(newer.LinkPath(), folder.Path() / "ports" / "COM6");
    older.Stop();
    EXPECT_EQ(fs::read_symlink(newer.LinkPath()), newer.DevicePath()) << "not older's to remove";
    newer.Stop();
    EXPECT_FALSE(fs::exists(fs::symlink_status(newer.LinkPath())));

    std::ofstream(folder.Path() / "ports" / "COM4") << "notes";
    sim::PtyReader blocked(script, {folder.Path(), 4, false, {}});
    EXPECT_NE(blocked.Open().value_or("").find("not a link"), std::string::npos);
    EXPECT_TRUE(fs::is_regular_file(folder.Path() / "ports" / "COM4"));
    sim::PtyReader lost(script, {folder.Path() / "typo", 4, false, {}});
    EXPECT_NE(lost.Open().value_or("").find("is not a folder"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder.Path() / "typo"));
}

} // namespace
