// The simulated reader served on a pseudo-terminal, seen from the raw device and
// through a copy of the reader-link library.

#include "readerlink/Frame.h"
#include "sim/PtyReader.h"
#include "sim/WirePace.h"
#include "tests/sim/TestHost.h"
#include "tests/support/TempFolder.h"
#include "tests/support/VexilonCopy.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <mutex>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace simtest {
namespace {

using namespace std::chrono_literals;
using sim::ReaderConfig;
namespace fs = std::filesystem;

bool Exists(const fs::path& path) {
    return fs::exists(fs::symlink_status(path));
}

struct LinkResult {
    int code = 0;
    Bytes payload;
};

// A reader on COM9 of a fresh program folder, with the library's port open.
struct PtyLink {
    static constexpr int kPort = 9;
    testsupport::TempFolder folder;
    testsupport::VexilonCopy library{folder.Path()};
    sim::PtyReader reader;

    explicit PtyLink(ReaderConfig config, sim::PtyOptions options = {})
        : reader(std::move(config), [&] {
              options.programFolder = folder.Path();
              options.port = kPort;
              return options;
          }()) {
        EXPECT_EQ(reader.Open(), std::nullopt);
        reader.Start();
        EXPECT_EQ(library.InitPort(kPort, 115200), kPort);
    }
    ~PtyLink() {
        library.ClosePort(kPort);
        reader.Stop();
    }
    LinkResult Exchange(const Bytes& request, std::chrono::milliseconds timeout = 3000ms) {
        Bytes receive(VQ_RECEIVE_CAPACITY);
        int length = 0;
        const int code = library.Polling(kPort, int(request.size()), request.data(), &length,
                                         receive.data(), int(timeout.count()));
        receive.resize(static_cast<std::size_t>(std::max(length, 0)));
        return {code, receive};
    }
};

// Collects the reader's log lines; the serving thread writes while the test reads.
struct LogLines {
    std::mutex lock;
    std::vector<std::string> lines;
    sim::PtyOptions Options() {
        sim::PtyOptions options;
        options.log = [this](const std::string& line) {
            const std::lock_guard<std::mutex> hold(lock);
            lines.push_back(line);
        };
        return options;
    }
    std::vector<std::string> Lines() {
        const std::lock_guard<std::mutex> hold(lock);
        return lines;
    }
};

// Reads up to count bytes from a raw file descriptor within two seconds.
Bytes ReadRaw(int fd, std::size_t count) {
    Bytes received;
    pollfd watched{fd, POLLIN, 0};
    std::uint8_t buffer[512];
    while (received.size() < count && poll(&watched, 1, 2000) > 0) {
        const ssize_t got = read(fd, buffer, std::min(sizeof buffer, count - received.size()));
        if (got <= 0) {
            break;
        }
        received.insert(received.end(), buffer, buffer + got);
    }
    return received;
}

// Frames are written out by hand here, LRC included, so that a fault shared by the
// encoder and the parser cannot hide.
TEST(PtyWire, ExactBytesBothWaysOnTheRawDevice) {
    testsupport::TempFolder folder;
    sim::PtyReader reader({}, {folder.Path(), 5, false, {}});
    ASSERT_EQ(reader.Open(), std::nullopt);
    reader.Start();
    const int fd = open(reader.LinkPath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    termios settings{};
    tcgetattr(fd, &settings);
    cfmakeraw(&settings);
    tcsetattr(fd, TCSANOW, &settings);
    const auto exchange = [&](const char* request, std::size_t count) {
        const Bytes bytes = Hex(request);
        EXPECT_EQ(write(fd, bytes.data(), bytes.size()), ssize_t(bytes.size()));
        return ToHex(ReadRaw(fd, count));
    };

    EXPECT_EQ(exchange("02 00 03 FF 98 05 03 62", 6), "02 00 01 00 03 02");
    const Bytes text = Text("KRVQ-3000-KR1_150803");
    std::uint8_t lrc = 0x00 ^ 0x15 ^ 0x00 ^ 0x03;
    for (std::uint8_t byte : text) {
        lrc ^= byte;
    }
    const Bytes expected = Concat(Concat(Hex("02 00 15 00"), text), {0x03, lrc});
    EXPECT_EQ(exchange("02 00 02 FF 04 03 FA", expected.size()), ToHex(expected));
    EXPECT_EQ(exchange("02 00 03 FF 98 05 03 63", 1), "15") << "bad LRC";
    EXPECT_EQ(exchange("02 00 03 FF 98 05 04 62", 1), "15") << "bad ETX";
    EXPECT_EQ(exchange("02 10 01", 1), "15") << "length past 4096";
    EXPECT_EQ(exchange("55 AA 02 00 03 FF 98 05 03 62", 6), "02 00 01 00 03 02")
        << "noise before STX is skipped";
    close(fd);
}

TEST(PtyWire, EveryByteValueCrossesUnchangedInBothDirections) {
    Bytes all(256);
    for (int i = 0; i < 256; ++i) {
        all[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    }
    ReaderConfig config;
    config.startIn = sim::Firmware::BootLoader;
    config.bootVersion = std::string(all.begin(), all.end());
    LogLines log;
    PtyLink link(config, log.Options());
    const LinkResult info = link.Exchange(Hex("FF 0C"));
    EXPECT_EQ(info.code, VQ_OK);
    EXPECT_EQ(ToHex(info.payload), ToHex(Concat(Ok("RIVI_BIOS_"), all)));
    ASSERT_EQ(link.Exchange(TestHost().KeyProofRequest()).code, VQ_OK);
    const Bytes block = TestHost::BlockRequest(0, all);
    const LinkResult written = link.Exchange(block);
    EXPECT_EQ(written.code, VQ_OK);
    EXPECT_EQ(ToHex(written.payload), "BE");
    const auto lines = log.Lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "RX " + ToHex(readerlink::EncodeFrame(block))),
              1);
}

TEST(PtyWire, HostClosingAndReopeningThePortTwentyTimes) {
    PtyLink link({});
    for (int round = 0; round < 20; ++round) {
        ASSERT_EQ(link.library.ClosePort(PtyLink::kPort), VQ_OK);
        ASSERT_EQ(link.library.InitPort(PtyLink::kPort, 115200), PtyLink::kPort) << round;
        const LinkResult result = link.Exchange(Hex("FF 04"));
        ASSERT_EQ(result.code, VQ_OK) << round;
        ASSERT_EQ(result.payload, Ok("KRVQ-3000-KR1_150803")) << round;
    }
}

TEST(PtyWire, LogShowsEveryFrameAndEverySilence) {
    ReaderConfig config;
    config.faults.link = {{sim::LinkFaultKind::Silence, sim::Command::MsrState}};
    LogLines log;
    PtyLink link(config, log.Options());
    ASSERT_EQ(link.Exchange(Hex("FF 98 05")).code, VQ_OK);
    ASSERT_EQ(link.Exchange(Hex("FF 97"), 100ms).code, VQ_ERR_TIMEOUT);
    EXPECT_EQ(log.Lines(),
              (std::vector<std::string>{"RX 02 00 03 FF 98 05 03 62", "TX 02 00 01 00 03 02",
                                        "RX 02 00 02 FF 97 03 69", "-- no answer"}));
}

TEST(PtyWire, LinkFaultsReachTheLibraryAsItsResults) {
    for (auto [kind, code] : {std::pair{sim::LinkFaultKind::Silence, VQ_ERR_TIMEOUT},
                              std::pair{sim::LinkFaultKind::Nak, VQ_ERR_REFUSED},
                              std::pair{sim::LinkFaultKind::BadFrame, VQ_ERR_MALFORMED},
                              std::pair{sim::LinkFaultKind::Delay, VQ_ERR_TIMEOUT}}) {
        SCOPED_TRACE(static_cast<int>(kind));
        ReaderConfig config;
        config.faults.link = {{kind, sim::Command::Version, 1, 400ms}};
        PtyLink link(config);
        const LinkResult faulty = link.Exchange(Hex("FF 04"), 200ms);
        EXPECT_EQ(faulty.code, code);
        EXPECT_EQ(ToHex(faulty.payload), "");
        EXPECT_EQ(link.Exchange(Hex("FF 04")).payload, Ok("KRVQ-3000-KR1_150803"));
    }
}

TEST(PtyLinkFile, MadeOnOpenRemovedOnStopAndOtherReadersLinkLeftAlone) {
    testsupport::TempFolder folder;
    sim::PtyReader first({}, {folder.Path(), 3, false, {}});
    ASSERT_EQ(first.Open(), std::nullopt);
    first.Start();
    const auto link = folder.Path() / "ports" / "COM3";
    EXPECT_EQ(first.LinkPath(), link);
    EXPECT_EQ(fs::read_symlink(link), first.DevicePath());
    first.Stop();
    EXPECT_FALSE(Exists(link));

    sim::PtyReader older({}, {folder.Path(), 6, false, {}});
    sim::PtyReader newer({}, {folder.Path(), 6, false, {}});
    ASSERT_EQ(older.Open(), std::nullopt);
    ASSERT_EQ(newer.Open(), std::nullopt) << "a stale link is replaced";
    older.Stop();
    EXPECT_EQ(fs::read_symlink(newer.LinkPath()), newer.DevicePath());
}

TEST(PtyLinkFile, NonLinkOfThatNameOrMissingFolderIsRefusedAndNothingMade) {
    testsupport::TempFolder folder;
    fs::create_directories(folder.Path() / "ports");
    std::ofstream(folder.Path() / "ports" / "COM4") << "notes";
    sim::PtyReader reader({}, {folder.Path(), 4, false, {}});
    EXPECT_NE(reader.Open().value_or("").find("not a link"), std::string::npos);
    EXPECT_TRUE(fs::is_regular_file(folder.Path() / "ports" / "COM4"));

    const auto missing = folder.Path() / "Brimlet-typo";
    sim::PtyReader lost({}, {missing, 4, false, {}});
    EXPECT_NE(lost.Open().value_or("").find("is not a folder"), std::string::npos);
    EXPECT_FALSE(fs::exists(missing));
}

TEST(PtyVanish, PortDisappearsAfterTheChosenBlock) {
    ReaderConfig config;
    config.startIn = sim::Firmware::BootLoader;
    config.faults.vanishAfterBlock = 2;
    PtyLink link(config);
    ASSERT_EQ(link.Exchange(TestHost().KeyProofRequest()).code, VQ_OK);
    for (std::uint32_t offset : {0u, 256u}) {
        const LinkResult result = link.Exchange(TestHost::BlockRequest(offset, Bytes(256, 1)));
        EXPECT_EQ(result.code, VQ_OK);
        EXPECT_EQ(result.payload, Hex("BE"));
    }
    // The host read the answer to block 2 and goes on: the port is gone under it.
    EXPECT_NE(link.Exchange(TestHost::BlockRequest(512, Bytes(256, 1))).code, VQ_OK);
    link.reader.Stop();
    EXPECT_TRUE(link.reader.Vanished());
    EXPECT_FALSE(Exists(link.reader.LinkPath()));
    EXPECT_NE(link.library.InitPort(PtyLink::kPort, 115200), PtyLink::kPort);
}

TEST(PtyStop, InterruptsALongDelay) {
    ReaderConfig config;
    config.faults.link = {{sim::LinkFaultKind::Delay, sim::Command::Version, 1, 600s}};
    PtyLink link(config);
    EXPECT_EQ(link.Exchange(Hex("FF 04"), 100ms).code, VQ_ERR_TIMEOUT);
    link.reader.Stop(); // would hang for ten minutes if the wait ignored the stop
    EXPECT_FALSE(Exists(link.reader.LinkPath()));
}

// Paced: each byte takes ten bit times at 115200 baud; the bytes stay the same.
TEST(PtyPace, PacedExchangeGivesTheSameBytes) {
    const std::chrono::steady_clock::time_point start{1s};
    EXPECT_EQ(sim::AnswerStart(start, 265, start), start + 265 * 86'806ns);
    EXPECT_EQ(sim::AnswerStart(start, 7, start + 1ms), start + 1ms) << "already arrived";
    EXPECT_EQ(sim::ByteDue(start, 0), start);
    EXPECT_EQ(sim::ByteDue(start, 1152), start + 1152 * 86'806ns) << "about 100 ms";
    sim::PtyOptions options;
    options.pace = true;
    PtyLink link({}, options);
    const LinkResult result = link.Exchange(TestHost::BlockRequest(0, Bytes(256, 0x11)));
    EXPECT_EQ(result.code, VQ_OK);
    EXPECT_EQ(result.payload, Hex("FF")) << "no block before the proof";
}

} // namespace
} // namespace simtest
