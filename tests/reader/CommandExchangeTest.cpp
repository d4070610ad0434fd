#include "app/BrimletDlg.h"
#include "readerlink/VexilonDll.h"
#include "tests/app/LibraryFolder.h"
#include "tests/support/FakeReaderPty.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;
using testsupport::FakeReply;

constexpr int kPort = 244;

Bytes Pattern(std::size_t length, std::uint8_t seed) {
    Bytes bytes(length);
    for (std::size_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
    }
    return bytes;
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
    Lines LogLines() {
        Lines lines;
        for (int i = 0; i < dialog.logList.GetCount(); ++i) {
            lines.push_back(dialog.logList.GetText(i));
        }
        return lines;
    }

    testsupport::FakeReaderPty fake{LoadedLibraryFolder(), kPort};
    CBrimletDlg dialog;
};

// Frames built by hand: STX, length high, length low, payload, ETX, XOR of length..ETX.
TEST_F(CommandExchange, SendsTheExactFrameAndStoresTheResponse) {
    fake.Enqueue(FakeReply::Answer(Bytes{0x00, 0x31}));
    ASSERT_EQ(dialog.SendCommand(0x16, nullptr, 0), 0);
    EXPECT_EQ(fake.ReceivedBytes(), (Bytes{0x02, 0x00, 0x01, 0x16, 0x03, 0x14}));
    EXPECT_EQ(dialog.reader.rxLength, 2);
    EXPECT_EQ(dialog.reader.rxBuffer[1], 0x31);

    const Bytes data = Pattern(256, 0);
    const Bytes response = Pattern(1000, 5);
    fake.Enqueue(FakeReply::Answer(response));
    ASSERT_EQ(dialog.SendCommand(0xF1, data.data(), 256), 0);
    Bytes frame = {0x02, 0x01, 0x01, 0xF1};
    frame.insert(frame.end(), data.begin(), data.end());
    const Bytes received = fake.ReceivedBytes();
    ASSERT_EQ(received.size(), 6u + 4u + 256u + 2u);
    EXPECT_EQ(Bytes(received.begin() + 6, received.end() - 2), frame);
    EXPECT_EQ(Bytes(dialog.reader.rxBuffer, dialog.reader.rxBuffer + dialog.reader.rxLength),
              response);
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(CommandExchange, LibraryErrorsLogOneLineEach) {
    fake.Enqueue(FakeReply::Raw({0x02, 0x00, 0x01, 0x00, 0x07, 0x00}));
    fake.Enqueue(FakeReply::Refuse());
    const unsigned char data[4] = {1, 2, 3, 4};
    EXPECT_EQ(dialog.SendCommand(0xF1, data, sizeof data), 1004);
    EXPECT_EQ(dialog.SendCommand(0x92, data, sizeof data), 1005);
    // Within SendCommand's limit but beyond a frame's: the library refuses it.
    const Bytes longest(kMaxCommandDataLength, 0x5A);
    EXPECT_EQ(dialog.SendCommand(0xF1, longest.data(), kMaxCommandDataLength), VQ_ERR_BAD_ARGUMENT);
    VQ_ClosePort(kPort);
    EXPECT_EQ(dialog.SendCommand(0x0A, data, sizeof data), 1001);
    EXPECT_EQ(LogLines(), (Lines{"RECV ERR:1004 [CMD:F1]", "RECV ERR:1005 [CMD:92]",
                                 "RECV ERR:1007 [CMD:F1]", "RECV ERR:1001 [CMD:0A]"}));
    EXPECT_EQ(dialog.logList.GetCurSel(), 3);
}

// The one test that waits out the full five-second time-out of a silent reader.
TEST_F(CommandExchange, SilentReaderTimesOutWithOneLine) {
    fake.Enqueue(FakeReply::Silence());
    const Bytes block = Pattern(259, 1);
    EXPECT_EQ(dialog.SendCommand(0xF1, block.data(), static_cast<int>(block.size())), 1003);
    EXPECT_EQ(LogLines(), Lines{"RECV ERR:1003 [CMD:F1]"});
}

TEST_F(CommandExchange, BadLengthsOrMissingDataSendNothingAndChangeNothing) {
    const Bytes data(16, 0x55);
    dialog.reader.rxLength = 7;
    for (auto [length, bytes] : {std::pair{-1, data.data()}, std::pair{INT_MIN, data.data()},
                                 std::pair{100000, data.data()}, std::pair{INT_MAX, data.data()},
                                 std::pair{16, static_cast<const std::uint8_t*>(nullptr)}}) {
        EXPECT_EQ(dialog.SendCommand(0xF1, bytes, length), kSendCommandRefused) << length;
    }
    EXPECT_EQ(dialog.reader.rxLength, 7);
    EXPECT_TRUE(LogLines().empty());
    EXPECT_TRUE(fake.ReceivedBytes().empty());
}

} // namespace
