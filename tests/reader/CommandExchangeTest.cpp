#include "app/BrimletDlg.h"
#include "readerlink/VexilonDll.h"
#include "tests/app/LibraryFolder.h"
#include "tests/support/FakeReaderPty.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using testsupport::FakeReply;
using namespace std::chrono_literals;

constexpr int kPort = 244;

// The frame as it must appear on the wire, built here byte by byte:
// STX, length high, length low, payload, ETX, and the XOR of length..ETX.
Bytes ExpectedFrame(const Bytes& payload) {
    Bytes frame = {0x02, static_cast<std::uint8_t>(payload.size() >> 8),
                   static_cast<std::uint8_t>(payload.size() & 0xFF)};
    frame.insert(frame.end(), payload.begin(), payload.end());
    frame.push_back(0x03);
    std::uint8_t lrc = 0;
    for (std::size_t i = 1; i < frame.size(); ++i) {
        lrc ^= frame[i];
    }
    frame.push_back(lrc);
    return frame;
}

Bytes Pattern(std::size_t length, std::uint8_t seed) {
    Bytes bytes(length);
    for (std::size_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
    }
    return bytes;
}

std::vector<std::string> LogLines(CBrimletDlg& dialog) {
    std::vector<std::string> lines;
    for (int i = 0; i < dialog.logList.GetCount(); ++i) {
        lines.push_back(dialog.logList.GetText(i));
    }
    return lines;
}

class CommandExchange : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create());
        ASSERT_EQ(VQ_InitPort(kPort, 115200), kPort);
        dialog.reader.port = kPort;
    }
    void TearDown() override {
        VQ_ClosePort(kPort);
        dialog.DestroyWindow();
    }

    testsupport::FakeReaderPty fake{LoadedLibraryFolder(), kPort};
    CBrimletDlg dialog;
};

struct ExchangeCase {
    const char* name;
    unsigned char code;
    Bytes data;
    Bytes response;
};

class CommandOnTheWire : public CommandExchange,
                         public testing::WithParamInterface<ExchangeCase> {};

TEST_P(CommandOnTheWire, SendsCodeThenDataAndStoresTheResponse) {
    const ExchangeCase& c = GetParam();
    fake.Enqueue(FakeReply::Answer(c.response));

    const std::int32_t result = dialog.SendCommand(c.code, c.data.empty() ? nullptr : c.data.data(),
                                                   static_cast<int>(c.data.size()));

    ASSERT_EQ(result, 0);
    Bytes payload = {c.code};
    payload.insert(payload.end(), c.data.begin(), c.data.end());
    EXPECT_EQ(fake.ReceivedBytes(), ExpectedFrame(payload));
    ASSERT_EQ(dialog.reader.rxLength, static_cast<std::int32_t>(c.response.size()));
    EXPECT_EQ(Bytes(dialog.reader.rxBuffer, dialog.reader.rxBuffer + dialog.reader.rxLength),
              c.response);
    EXPECT_TRUE(LogLines(dialog).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandOnTheWire,
    testing::Values(ExchangeCase{"BlockF1", 0xF1, Pattern(259, 0x10), {0x00}},
                    ExchangeCase{"FinishF2", 0xF2, {0x01}, {0xBE, 0x01}},
                    ExchangeCase{"DownloadKey92", 0x92, Pattern(16, 0xA0), {0x00, 0x4F, 0x4B}},
                    ExchangeCase{"KeyProof8E", 0x8E, Pattern(16, 0x33), {0x00}},
                    ExchangeCase{"CodeOnly", 0x16, {}, {0x00, 0x31, 0x2E, 0x30}},
                    ExchangeCase{"EveryByteValue", 0x00, Pattern(256, 0), Pattern(1000, 5)}),
    [](const testing::TestParamInfo<ExchangeCase>& info) { return std::string(info.param.name); });

struct LibraryErrorCase {
    const char* name;
    unsigned char code;
    FakeReply reply;
    bool portOpen;
    int result;
    const char* logLine;
};

class CommandLibraryError : public CommandExchange,
                            public testing::WithParamInterface<LibraryErrorCase> {};

TEST_P(CommandLibraryError, LogsOneLineAndReturnsTheResult) {
    const LibraryErrorCase& c = GetParam();
    dialog.AddLogLine("before");
    fake.Enqueue(c.reply);
    if (!c.portOpen) {
        VQ_ClosePort(kPort);
    }
    const unsigned char data[4] = {1, 2, 3, 4};

    EXPECT_EQ(dialog.SendCommand(c.code, data, sizeof data), c.result);

    EXPECT_EQ(LogLines(dialog), (std::vector<std::string>{"before", c.logLine}));
    EXPECT_EQ(dialog.logList.GetCurSel(), 1);
}

INSTANTIATE_TEST_SUITE_P(Errors, CommandLibraryError,
                         testing::Values(LibraryErrorCase{"Garbage", 0xF1,
                                                          FakeReply::Raw({0x02, 0x00, 0x01, 0x00,
                                                                          0x07, 0x00}),
                                                          true, 1004, "RECV ERR:1004 [CMD:F1]"},
                                         LibraryErrorCase{"Refused", 0x92, FakeReply::Refuse(),
                                                          true, 1005, "RECV ERR:1005 [CMD:92]"},
                                         LibraryErrorCase{"PortNotOpen", 0x0A, FakeReply::Silence(),
                                                          false, 1001, "RECV ERR:1001 [CMD:0A]"}),
                         [](const testing::TestParamInfo<LibraryErrorCase>& info) {
                             return std::string(info.param.name);
                         });

// The one test that waits out the full five-second time-out of a silent reader.
TEST_F(CommandExchange, SilentReaderTimesOutWithOneLine) {
    fake.Enqueue(FakeReply::Silence());
    const Bytes block = Pattern(259, 1);
    EXPECT_EQ(dialog.SendCommand(0xF1, block.data(), static_cast<int>(block.size())), 1003);
    EXPECT_EQ(LogLines(dialog), (std::vector<std::string>{"RECV ERR:1003 [CMD:F1]"}));
    EXPECT_EQ(dialog.logList.GetCurSel(), 0);
}

struct RefusedCase {
    const char* name;
    int dataLength;
    bool nullData;
};

class CommandRefused : public CommandExchange, public testing::WithParamInterface<RefusedCase> {};

TEST_P(CommandRefused, SendsNothingAndChangesNothing) {
    static const Bytes data(16, 0x55);
    dialog.reader.rxLength = 7;
    dialog.reader.rxBuffer[0] = 0xFF;

    EXPECT_EQ(dialog.SendCommand(0xF1, GetParam().nullData ? nullptr : data.data(),
                                 GetParam().dataLength),
              kSendCommandRefused);
    EXPECT_EQ(dialog.reader.rxLength, 7);
    EXPECT_EQ(dialog.reader.rxBuffer[0], 0xFF);
    EXPECT_TRUE(LogLines(dialog).empty());

    // A command after it is the first thing the reader sees.
    fake.Enqueue(FakeReply::Answer(Bytes{0x00}));
    ASSERT_EQ(dialog.SendCommand(0x16, nullptr, 0), 0);
    EXPECT_EQ(fake.Requests(), (std::vector<Bytes>{{0x16}}));
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, CommandRefused,
    testing::Values(RefusedCase{"Negative", -1, false}, RefusedCase{"MostNegative", INT_MIN, false},
                    RefusedCase{"JustOverTheLimit", 100000, false},
                    RefusedCase{"Largest", INT_MAX, false}, RefusedCase{"MissingData", 16, true}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

// Within SendCommand's limit but beyond a frame's: the library refuses it and
// nothing is overrun on the way.
TEST_F(CommandExchange, LongestDataReachesTheLibraryWhichRefusesIt) {
    const Bytes data = Pattern(kMaxCommandDataLength, 9);
    EXPECT_EQ(dialog.SendCommand(0xF1, data.data(), kMaxCommandDataLength), VQ_ERR_BAD_ARGUMENT);
    EXPECT_EQ(LogLines(dialog), (std::vector<std::string>{"RECV ERR:1007 [CMD:F1]"}));
    EXPECT_TRUE(fake.ReceivedBytes().empty());
}

} // namespace
