#include "sim/PtyReader.h"
#include "readerlink/Frame.h"
#include "sim/WirePace.h"
#include "tests/sim/RawPort.h"
#include "tests/sim/ReaderLink.h"
#include "tests/sim/TestHost.h"

#include <gtest/gtest.h>

#include <fstream>
#include <mutex>
#include <thread>

namespace simtest {
namespace {

using namespace std::chrono_literals;
using sim::Firmware;
using sim::ReaderConfig;

// Collects the reader's log lines; the serving thread writes while the test reads.
class LogLines {
public:
    sim::PtyOptions Options() {
        sim::PtyOptions options;
        options.log = [this](const std::string& line) {
            const std::lock_guard<std::mutex> hold(lock_);
            lines_.push_back(line);
        };
        return options;
    }
    std::vector<std::string> Lines() const {
        const std::lock_guard<std::mutex> hold(lock_);
        return lines_;
    }

private:
    mutable std::mutex lock_;
    std::vector<std::string> lines_;
};

// Frames are written out by hand here, LRC included, so that a fault shared by the
// encoder and the parser cannot hide.
TEST(PtyWire, ExactBytesBothWays) {
    testsupport::TempFolder folder;
    sim::PtyReader reader({}, {folder.Path(), 5, false, {}});
    ASSERT_EQ(reader.Open(), std::nullopt);
    reader.Start();
    RawPort port(reader.LinkPath());
    ASSERT_TRUE(port.IsOpen());

    ASSERT_TRUE(port.Write(Hex("02 00 03 FF 98 05 03 62")));
    EXPECT_EQ(ToHex(port.Read(6, 2s)), "02 00 01 00 03 02");

    ASSERT_TRUE(port.Write(Hex("02 00 02 FF 04 03 FA")));
    const Bytes text = Text("KRVQ-3000-KR1_150803");
    Bytes expected = Concat(Hex("02 00 15 00"), text);
    std::uint8_t lrc = 0x00 ^ 0x15 ^ 0x00 ^ 0x03;
    for (std::uint8_t byte : text) {
        lrc ^= byte;
    }
    expected = Concat(expected, {0x03, lrc});
    EXPECT_EQ(ToHex(port.Read(expected.size(), 2s)), ToHex(expected));
}

TEST(PtyWire, DamagedRequestIsRefusedWithNak) {
    testsupport::TempFolder folder;
    sim::PtyReader reader({}, {folder.Path(), 5, false, {}});
    ASSERT_EQ(reader.Open(), std::nullopt);
    reader.Start();
    RawPort port(reader.LinkPath());
    for (const char* damaged : {"02 00 03 FF 98 05 03 63", // LRC
                                "02 00 03 FF 98 05 04 62", // ETX
                                "02 10 01"}) {             // length past 4096
        ASSERT_TRUE(port.Write(Hex(damaged)));
        EXPECT_EQ(ToHex(port.Read(1, 2s)), "15") << damaged;
    }
    ASSERT_TRUE(port.Write(Hex("55 AA 02 00 03 FF 98 05 03 62"))) << "noise before STX is skipped";
    EXPECT_EQ(ToHex(port.Read(6, 2s)), "02 00 01 00 03 02");
}

TEST(PtyWire, EveryByteValueCrossesUnchangedInBothDirections) {
    Bytes all(256);
    for (int i = 0; i < 256; ++i) {
        all[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    }
    ReaderConfig config;
    config.startIn = Firmware::BootLoader;
    config.bootInfoDe635 = true;
    config.bootVersion = std::string(all.begin(), all.end());
    LogLines log;
    PtyLink link(config, log.Options());

    const LinkResult info = link.Exchange(Hex("FF 0C"), 3000ms);
    EXPECT_EQ(info.code, VQ_OK);
    EXPECT_EQ(ToHex(info.payload), ToHex(Concat(Concat(Hex("00"), Text("DE-635_BIOS_")), all)));

    ASSERT_EQ(link.Exchange(TestHost().KeyProofRequest(), 3000ms).code, VQ_OK);
    const Bytes block = TestHost::BlockRequest(0, all);
    const LinkResult written = link.Exchange(block, 3000ms);
    EXPECT_EQ(written.code, VQ_OK);
    EXPECT_EQ(ToHex(written.payload), "BE");
    const std::string received = "RX " + ToHex(readerlink::EncodeFrame(block));
    const auto lines = log.Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), received), lines.end());
}

TEST(PtyWire, HostClosingAndReopeningThePortTwentyTimes) {
    PtyLink link({});
    for (int round = 0; round < 20; ++round) {
        ASSERT_EQ(link.Library().ClosePort(PtyLink::kPort), VQ_OK);
        ASSERT_EQ(link.Library().InitPort(PtyLink::kPort, 115200), PtyLink::kPort) << round;
        const LinkResult result = link.Exchange(Hex("FF 04"), 3000ms);
        ASSERT_EQ(result.code, VQ_OK) << round;
        ASSERT_EQ(result.payload, Concat(Hex("00"), Text("KRVQ-3000-KR1_150803"))) << round;
    }
}

TEST(PtyWire, LogShowsEveryFrameAndEverySilence) {
    ReaderConfig config;
    config.faults.link = {{sim::LinkFaultKind::Silence, sim::Command::MsrState}};
    LogLines log;
    PtyLink link(config, log.Options());
    ASSERT_EQ(link.Exchange(Hex("FF 98 05"), 3000ms).code, VQ_OK);
    ASSERT_EQ(link.Exchange(Hex("FF 97"), 100ms).code, VQ_ERR_TIMEOUT);
    EXPECT_EQ(log.Lines(),
              (std::vector<std::string>{"RX 02 00 03 FF 98 05 03 62", "TX 02 00 01 00 03 02",
                                        "RX 02 00 02 FF 97 03 69", "-- no answer"}));
}

TEST(PtyLinkFile, RemovedOnStop) {
    testsupport::TempFolder folder;
    sim::PtyReader reader({}, {folder.Path(), 3, false, {}});
    ASSERT_EQ(reader.Open(), std::nullopt);
    reader.Start();
    const auto link = folder.Path() / "ports" / "COM3";
    EXPECT_EQ(reader.LinkPath(), link);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(std::filesystem::read_symlink(link), reader.DevicePath());
    reader.Stop();
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

TEST(PtyLinkFile, StaleLinkIsReplaced) {
    testsupport::TempFolder folder;
    std::filesystem::create_directories(folder.Path() / "ports");
    const auto link = folder.Path() / "ports" / "COM4";
    std::filesystem::create_symlink("/dev/pts/nonexistent-reader", link);
    sim::PtyReader reader({}, {folder.Path(), 4, false, {}});
    ASSERT_EQ(reader.Open(), std::nullopt);
    EXPECT_EQ(std::filesystem::read_symlink(link), reader.DevicePath());
}

TEST(PtyLinkFile, NonLinkOfThatNameIsRefusedAndKept) {
    testsupport::TempFolder folder;
    std::filesystem::create_directories(folder.Path() / "ports");
    const auto file = folder.Path() / "ports" / "COM4";
    std::ofstream(file) << "notes";
    sim::PtyReader reader({}, {folder.Path(), 4, false, {}});
    const std::optional<std::string> error = reader.Open();
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find("not a link"), std::string::npos) << *error;
    EXPECT_TRUE(std::filesystem::is_regular_file(file));
}

TEST(PtyLinkFile, MissingProgramFolderIsRefusedAndNotMade) {
    testsupport::TempFolder folder;
    const auto missing = folder.Path() / "Brimlet-typo";
    sim::PtyReader reader({}, {missing, 4, false, {}});
    const std::optional<std::string> error = reader.Open();
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find("is not a folder"), std::string::npos) << *error;
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(PtyLinkFile, LinkOfAnotherReaderIsLeftAlone) {
    testsupport::TempFolder folder;
    sim::PtyReader first({}, {folder.Path(), 6, false, {}});
    ASSERT_EQ(first.Open(), std::nullopt);
    sim::PtyReader second({}, {folder.Path(), 6, false, {}});
    ASSERT_EQ(second.Open(), std::nullopt);
    first.Stop();
    EXPECT_EQ(std::filesystem::read_symlink(second.LinkPath()), second.DevicePath());
}

TEST(PtyVanish, PortDisappearsAfterTheChosenBlock) {
    ReaderConfig config;
    config.startIn = Firmware::BootLoader;
    config.faults.vanishAfterBlock = 2;
    PtyLink link(config);
    ASSERT_EQ(link.Exchange(TestHost().KeyProofRequest(), 3000ms).code, VQ_OK);
    for (std::uint32_t offset : {0u, 256u}) {
        const LinkResult result =
            link.Exchange(TestHost::BlockRequest(offset, Bytes(256, 1)), 3000ms);
        EXPECT_EQ(result.code, VQ_OK);
        EXPECT_EQ(result.payload, Hex("BE"));
    }
    // The host read the answer to block 2 and goes on: the port is gone under it.
    const LinkResult after = link.Exchange(TestHost::BlockRequest(512, Bytes(256, 1)), 3000ms);
    EXPECT_NE(after.code, VQ_OK);
    link.Reader().Stop();
    EXPECT_TRUE(link.Reader().Vanished());
    EXPECT_FALSE(
        std::filesystem::exists(std::filesystem::symlink_status(link.Reader().LinkPath())));
    EXPECT_NE(link.Library().InitPort(PtyLink::kPort, 115200), PtyLink::kPort);
}

TEST(PtyStop, InterruptsALongDelay) {
    ReaderConfig config;
    config.faults.link = {{sim::LinkFaultKind::Delay, sim::Command::Version, 1, 600s}};
    PtyLink link(config);
    EXPECT_EQ(link.Exchange(Hex("FF 04"), 100ms).code, VQ_ERR_TIMEOUT);
    link.Reader().Stop(); // would hang for ten minutes if the wait ignored the stop
    EXPECT_FALSE(
        std::filesystem::exists(std::filesystem::symlink_status(link.Reader().LinkPath())));
}

TEST(PtyPace, PacedExchangeGivesTheSameBytes) {
    sim::PtyOptions options;
    options.pace = true;
    PtyLink link({}, options);
    const LinkResult result = link.Exchange(TestHost::BlockRequest(0, Bytes(256, 0x11)), 3000ms);
    EXPECT_EQ(result.code, VQ_OK);
    EXPECT_EQ(result.payload, Hex("FF")) << "no block before the proof";
}

using TimePoint = std::chrono::steady_clock::time_point;

TEST(WirePace, AnswerWaitsForTheWholeRequestOnTheWire) {
    const TimePoint start{1s};
    // 265 bytes of a block frame take 23 ms at 115200 baud, 8N1.
    EXPECT_EQ(sim::AnswerStart(start, 265, start), start + 265 * 86'806ns);
    EXPECT_EQ(sim::AnswerStart(start, 7, start + 1ms), start + 1ms) << "already arrived";
    EXPECT_EQ(sim::AnswerStart(start, 0, start), start);
}

TEST(WirePace, BytesGoOutTenBitTimesApart) {
    const TimePoint start{1s};
    EXPECT_EQ(sim::ByteDue(start, 0), start);
    EXPECT_EQ(sim::ByteDue(start, 1), start + 86'806ns);
    EXPECT_EQ(sim::ByteDue(start, 1152), start + 1152 * 86'806ns) << "about 100 ms";
}

} // namespace
} // namespace simtest
