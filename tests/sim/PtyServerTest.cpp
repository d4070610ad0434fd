#include "tests/support/FakeReaderPty.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <unistd.h>

namespace {

using testsupport::FakeReply;
using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

TEST(PtyServer, PacedExactBytesDamagedFramesRefusedEverythingLoggedThenThePortVanishes) {
    testsupport::TempFolder folder;
    testsupport::ScriptedResponder script;
    std::vector<std::string> log; // read only once the server has stopped
    sim::PtyReader server{script,
                          {folder.Path(), 5, true, [&](auto& line) { log.push_back(line); }}};
    ASSERT_EQ(server.Open(), std::nullopt);
    server.Start();
    // Raw already: the server set the terminal so before linking it.
    const int fd = open(server.LinkPath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    const auto exchange = [fd](const Bytes& request) {
        EXPECT_EQ(write(fd, request.data(), request.size()), ssize_t(request.size()));
        Bytes received;
        std::uint8_t buffer[64];
        ssize_t got = 0;
        for (pollfd watched{fd, POLLIN, 0};
             poll(&watched, 1, 500) > 0 && (got = read(fd, buffer, sizeof buffer)) > 0;) {
            received.insert(received.end(), buffer, buffer + got);
        }
        return received;
    };
    const Bytes request = {0x02, 0x00, 0x01, 0x16, 0x03, 0x14};
    const Bytes answer = {0x02, 0x00, 0x01, 0x00, 0x03, 0x02};
    script.SetResponder([](auto) { return FakeReply::Answer(Bytes{0x00}); });
    script.Enqueue(FakeReply{});
    EXPECT_EQ(exchange(request), Bytes{});
    EXPECT_EQ(exchange({0x02, 0x00, 0x01, 0x16, 0x03, 0x15}), Bytes{0x15}) << "bad LRC";
    EXPECT_EQ(exchange({0x55, 0x02, 0x00, 0x01, 0x16, 0x03, 0x14}), answer) << "garbage first";
    script.Enqueue({{sim::Reply::Kind::Response, {0x00}, {}, true, {}}});
    EXPECT_EQ(exchange(request), answer);
    exchange(request);
    server.Stop();
    close(fd);
    EXPECT_TRUE(server.Vanished());
    EXPECT_FALSE(fs::exists(fs::symlink_status(server.LinkPath())));
    EXPECT_EQ(log, (std::vector<std::string>{
                       "RX 02 00 01 16 03 14", "-- no answer",
                       "-- malformed request frame, refused", "TX 15", "RX 02 00 01 16 03 14",
                       "TX 02 00 01 00 03 02", "RX 02 00 01 16 03 14", "TX 02 00 01 00 03 02",
                       "-- port vanished (fault): link removed, pseudo-terminal closed"}));
}

TEST(PtyServer, AStaleLinkIsReplacedButAFileNever) {
    testsupport::TempFolder folder;
    testsupport::ScriptedResponder script;
    sim::PtyReader older(script, {folder.Path(), 6, false, {}});
    sim::PtyReader newer(script, {folder.Path(), 6, false, {}});
    ASSERT_EQ(older.Open(), std::nullopt);
    ASSERT_EQ(newer.Open(), std::nullopt);
    older.Stop();
    EXPECT_EQ(fs::read_symlink(newer.LinkPath()), newer.DevicePath()) << "not older's to remove";
    std::ofstream(folder.Path() / "ports/COM4") << "notes";
    sim::PtyReader blocked(script, {folder.Path(), 4, false, {}});
    EXPECT_NE(blocked.Open().value_or("").find("not a link"), std::string::npos);
    EXPECT_TRUE(fs::is_regular_file(folder.Path() / "ports/COM4"));
}

} // namespace
