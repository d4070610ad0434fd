#include "readerlink/Polling.h"
#include "tests/readerlink/ExchangeCases.h"
#include "tests/readerlink/ScriptedTransport.h"
#include "tests/support/FakeReaderPty.h"
#include "tests/support/TempFolder.h"
#include "tests/support/VexilonCopy.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using testsupport::FakeReply;

constexpr auto kShortTimeout = 200ms;
constexpr int kPort = 7;

ExchangeOutcome RunScripted(const ExchangeCase& c, ScriptedTransport& transport) {
    transport.incoming.assign(c.replyPieces.begin(), c.replyPieces.end());
    ExchangeOutcome outcome;
    outcome.area = FreshReceiveArea();
    const auto result = readerlink::Exchange(
        transport, c.request, std::span(outcome.area).first(VQ_RECEIVE_CAPACITY), kShortTimeout);
    outcome.code = result.code;
    outcome.stored = result.stored;
    for (const Bytes& write : transport.writes) {
        outcome.wire.insert(outcome.wire.end(), write.begin(), write.end());
    }
    return outcome;
}

class ScriptedExchangeTest : public testing::TestWithParam<ExchangeCase> {};

TEST_P(ScriptedExchangeTest, Scenario) {
    ScriptedTransport transport;
    ExpectOutcome(GetParam(), RunScripted(GetParam(), transport));
    EXPECT_EQ(transport.writes.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Exchange, ScriptedExchangeTest, testing::ValuesIn(ExchangeCases()),
                         [](const auto& info) { return CaseName(info.param); });

class PtyExchangeTest : public testing::TestWithParam<ExchangeCase> {
protected:
    testsupport::TempFolder folder_;
    testsupport::VexilonCopy library_{folder_.Path()};
    testsupport::FakeReaderPty reader_{folder_.Path(), kPort};
};

TEST_P(PtyExchangeTest, Scenario) {
    const ExchangeCase& c = GetParam();
    // A small gap makes each piece a read of its own on the port side.
    reader_.Enqueue(FakeReply::Pieces(c.replyPieces, 20ms));
    ASSERT_EQ(library_.InitPort(kPort, 115200), kPort);

    ExchangeOutcome outcome;
    outcome.area = FreshReceiveArea();
    int received = -1;
    outcome.code =
        library_.Polling(kPort, static_cast<int>(c.request.size()), c.request.data(), &received,
                         outcome.area.data(), static_cast<int>(kShortTimeout.count()));
    ASSERT_GE(received, 0);
    outcome.stored = static_cast<std::size_t>(received);
    ASSERT_TRUE(reader_.WaitForRequests(1, 5s));
    outcome.wire = reader_.ReceivedBytes();
    ExpectOutcome(c, outcome);
    EXPECT_EQ(library_.ClosePort(kPort), VQ_OK);
}

INSTANTIATE_TEST_SUITE_P(Exchange, PtyExchangeTest, testing::ValuesIn(ExchangeCases()),
                         [](const auto& info) { return CaseName(info.param); });

TEST(ScriptedExchangeFaults, StaleInputIsDroppedBeforeTheRequestGoesOut) {
    ScriptedTransport transport;
    transport.staleInput = readerlink::EncodeFrame(Bytes{0x00, 0x4F, 0x4C, 0x44});
    transport.incoming.push_back(readerlink::EncodeFrame(Bytes{0x00, 0x4E}));
    Bytes area(VQ_RECEIVE_CAPACITY);
    const auto result = readerlink::Exchange(transport, Bytes{0x16}, area, kShortTimeout);
    EXPECT_EQ(result.code, VQ_OK);
    EXPECT_EQ(Bytes(area.begin(), area.begin() + static_cast<long>(result.stored)),
              (Bytes{0x00, 0x4E}));
    EXPECT_EQ(transport.discardsBeforeFirstWrite, 1);
}

TEST(ScriptedExchangeFaults, FailedWriteIsReportedAndNothingIsRead) {
    ScriptedTransport transport;
    transport.writeFails = true;
    transport.incoming.push_back(readerlink::EncodeFrame(Bytes{0x00}));
    Bytes area(VQ_RECEIVE_CAPACITY, kUntouched);
    const auto result = readerlink::Exchange(transport, Bytes{0x16}, area, kShortTimeout);
    EXPECT_EQ(result.code, VQ_ERR_WRITE_FAILED);
    EXPECT_EQ(result.stored, 0u);
    EXPECT_EQ(transport.incoming.size(), 1u);
    EXPECT_EQ(transport.writes.size(), 1u);
}

TEST(ScriptedExchangeFaults, VanishedDeviceIsNotReportedAsSilence) {
    ScriptedTransport transport;
    transport.readFailsWhenSilent = true;
    transport.incoming.push_back({0x02, 0x00});
    Bytes area(VQ_RECEIVE_CAPACITY, kUntouched);
    const auto result = readerlink::Exchange(transport, Bytes{0x16}, area, kShortTimeout);
    EXPECT_EQ(result.code, VQ_ERR_PORT_LOST);
    EXPECT_EQ(result.stored, 0u);
}

// A line that never stops delivering noise must still end the call.
class NoiseForever : public ScriptedTransport {
public:
    ReadResult ReadSome(std::span<std::uint8_t> buffer, std::chrono::milliseconds) override {
        std::fill(buffer.begin(), buffer.end(), 0xFF);
        return {buffer.size(), false};
    }
};

TEST(ScriptedExchangeFaults, EndlessNoiseEndsInTimeOut) {
    NoiseForever transport;
    Bytes area(VQ_RECEIVE_CAPACITY, kUntouched);
    const auto result = readerlink::Exchange(transport, Bytes{0x16}, area, 20ms);
    EXPECT_EQ(result.code, VQ_ERR_TIMEOUT);
    EXPECT_EQ(result.stored, 0u);
}

TEST(ScriptedExchangeFaults, ZeroTimeOutStillTakesAnAnswerAlreadyThere) {
    ScriptedTransport transport;
    transport.incoming.push_back(readerlink::EncodeFrame(Bytes{0x00, 0x01}));
    Bytes area(VQ_RECEIVE_CAPACITY);
    const auto result = readerlink::Exchange(transport, Bytes{0x16}, area, 0ms);
    EXPECT_EQ(result.code, VQ_OK);
    EXPECT_EQ(result.stored, 2u);
}

} // namespace
