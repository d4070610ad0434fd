// The pseudo-terminal server with a scripted responder behind it: the bytes on the
// raw device, its log, its port link, and a port that vanishes.

#include "tests/support/FakeReaderPty.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using testsupport::FakeReply;
using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

const Bytes kRequest = {0x02, 0x00, 0x01, 0x16, 0x03, 0x14};
const Bytes kAnswer = {0x02, 0x00, 0x01, 0x00, 0x03, 0x02};

// Paced and logging; the log is read only once the server has stopped.
struct Served {
    testsupport::TempFolder folder;
    testsupport::ScriptedResponder script;
    std::vector<std::string> log;
    sim::PtyReader server{script, {folder.Path(), 5, true, [this](auto& l) { log.push_back(l); }}};
    int fd = -1;

    Served() {
        EXPECT_EQ(server.Open(), std::nullopt);
        server.Start();
        // Raw already: the server set the terminal so before linking it.
        fd = open(server.LinkPath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
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

TEST(PtyServer, AnswersExactBytesRefusesDamagedFramesAndLogsEverything) {
    Served served;
    served.script.SetResponder([](auto) { return FakeReply::Answer(Bytes{0x00}); });
    served.script.Enqueue(FakeReply::Silence());
    EXPECT_EQ(served.Exchange(kRequest), Bytes{});
    EXPECT_EQ(served.Exchange({0x02, 0x00, 0x01, 0x16, 0x03, 0x15}), Bytes{0x15}) << "bad LRC";
    EXPECT_EQ(served.Exchange({0x55, 0x02, 0x00, 0x01, 0x16, 0x03, 0x14}), kAnswer);
    served.server.Stop();
    EXPECT_EQ(served.log,
              (std::vector<std::string>{"RX 02 00 01 16 03 14", "-- no answer",
                                        "-- malformed request frame, refused", "TX 15",
                                        "RX 02 00 01 16 03 14", "TX 02 00 01 00 03 02"}));
}

TEST(PtyServer, PortVanishesAfterTheMarkedAnswerAndStopCutsAWaitShort) {
    Served served;
    served.script.Enqueue({{sim::Reply::Kind::Response, {0x00}, {}, true}});
    EXPECT_EQ(served.Exchange(kRequest), kAnswer);
    served.Exchange(kRequest);
    served.server.Stop();
    EXPECT_TRUE(served.server.Vanished());
    EXPECT_FALSE(fs::exists(fs::symlink_status(served.server.LinkPath())));

    Served waiting;
    waiting.script.Enqueue(FakeReply::Answer(Bytes{0x00}).After(600s));
    EXPECT_EQ(waiting.Exchange(kRequest), Bytes{});
    waiting.server.Stop(); // would hang for ten minutes if the wait ignored the stop
    EXPECT_FALSE(waiting.server.Vanished());
}

TEST(PtyServer, LinkReplacesAStaleOneGoesOnStopAndNeverReplacesAFile) {
    testsupport::TempFolder folder;
    testsupport::ScriptedResponder script;
    sim::PtyReader older(script, {folder.Path(), 6, false, {}});
    sim::PtyReader newer(script, {folder.Path(), 6, false, {}});
    ASSERT_EQ(older.Open(), std::nullopt);
    ASSERT_EQ(newer.Open(), std::nullopt);
    older.Stop();
    EXPECT_EQ(fs::read_symlink(folder.Path() / "ports/COM6"), newer.DevicePath());
    newer.Stop();
    EXPECT_FALSE(fs::exists(fs::symlink_status(newer.LinkPath())));

    std::ofstream(folder.Path() / "ports/COM4") << "notes";
    EXPECT_NE(sim::PtyReader(script, {folder.Path(), 4, false, {}})
                  .Open()
                  .value_or("")
                  .find("not a link"),
              std::string::npos);
    EXPECT_TRUE(fs::is_regular_file(folder.Path() / "ports/COM4"));
    EXPECT_NE(sim::PtyReader(script, {folder.Path() / "typo", 4, false, {}})
                  .Open()
                  .value_or("")
                  .find("is not a folder"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(folder.Path() / "typo"));
}

} // namespace
