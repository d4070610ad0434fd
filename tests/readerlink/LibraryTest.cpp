#include "tests/support/FakeReaderPty.h"
#include "tests/support/TempFolder.h"
#include "tests/support/VexilonCopy.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <future>
#include <vector>

namespace {

using namespace std::chrono_literals;
using testsupport::FakeReply;
using Bytes = std::vector<std::uint8_t>;

constexpr int kPort = 7;
constexpr int kBaud = 115200;
constexpr int kTimeoutMs = 3000;

class LibraryTest : public testing::Test {
protected:
    testsupport::TempFolder folder_;
    testsupport::VexilonCopy library_{folder_.Path()};
    testsupport::FakeReaderPty reader_{folder_.Path(), kPort};

    struct Answer {
        int code;
        Bytes response;
    };

    Answer Poll(const Bytes& request, int timeoutMs = kTimeoutMs) {
        Bytes area(VQ_RECEIVE_CAPACITY);
        int received = -1;
        const int code = library_.Polling(kPort, static_cast<int>(request.size()), request.data(),
                                          &received, area.data(), timeoutMs);
        EXPECT_GE(received, 0);
        area.resize(static_cast<std::size_t>(std::max(received, 0)));
        return {code, area};
    }

    void LinkPort(int port, const std::filesystem::path& target) {
        std::filesystem::create_symlink(target,
                                        folder_.Path() / "ports" / ("COM" + std::to_string(port)));
    }
};

TEST_F(LibraryTest, ExchangeOverPseudoTerminal) {
    reader_.Enqueue(FakeReply::Answer(Bytes{0x00, 0x31, 0x2E, 0x30}));
    ASSERT_EQ(library_.InitPort(kPort, kBaud), kPort);
    const Answer answer = Poll({0xFF, 0x04});
    EXPECT_EQ(answer.code, VQ_OK);
    EXPECT_EQ(answer.response, (Bytes{0x00, 0x31, 0x2E, 0x30}));
    EXPECT_EQ(reader_.Requests(), (std::vector<Bytes>{{0xFF, 0x04}}));
}

TEST_F(LibraryTest, EveryByteValueCrossesTheLineUnchanged) {
    Bytes all(256);
    for (int i = 0; i < 256; ++i) {
        all[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    }
    reader_.SetResponder([](std::span<const std::uint8_t> request) {
        Bytes echo{0x00};
        echo.insert(echo.end(), request.begin(), request.end());
        return FakeReply::Answer(echo);
    });
    ASSERT_EQ(library_.InitPort(kPort, kBaud), kPort);
    const Answer answer = Poll(all);
    ASSERT_EQ(answer.code, VQ_OK);
    ASSERT_EQ(reader_.Requests().size(), 1u);
    EXPECT_EQ(reader_.Requests()[0], all);
    ASSERT_EQ(answer.response.size(), 257u);
    EXPECT_EQ(Bytes(answer.response.begin() + 1, answer.response.end()), all);
}

TEST_F(LibraryTest, LongestRequestGoesOutWhole) {
    reader_.Enqueue(FakeReply::Answer(Bytes{0x00}));
    ASSERT_EQ(library_.InitPort(kPort, kBaud), kPort);
    Bytes request(4096);
    for (std::size_t i = 0; i < request.size(); ++i) {
        request[i] = static_cast<std::uint8_t>(i % 251);
    }
    EXPECT_EQ(Poll(request).code, VQ_OK);
    ASSERT_EQ(reader_.Requests().size(), 1u);
    EXPECT_EQ(reader_.Requests()[0], request);
}

TEST_F(LibraryTest, PollingUnopenedPortTellsCallerToOpenIt) {
    EXPECT_EQ(Poll({0x16}).code, VQ_ERR_PORT_NOT_OPEN);
    ASSERT_EQ(library_.InitPort(kPort, kBaud), kPort);
    EXPECT_EQ(library_.ClosePort(kPort), VQ_OK);
    EXPECT_EQ(Poll({0x16}).code, VQ_ERR_PORT_NOT_OPEN);
    EXPECT_EQ(library_.ClosePort(kPort), VQ_ERR_PORT_NOT_OPEN);
    EXPECT_TRUE(reader_.ReceivedBytes().empty());
}

TEST_F(LibraryTest, InitOnOpenPortReopensAndReturnsPort) {
    reader_.Enqueue(FakeReply::Answer(Bytes{0x00, 0x01}));
    reader_.Enqueue(FakeReply::Answer(Bytes{0x00, 0x02}));
    ASSERT_EQ(library_.InitPort(kPort, kBaud), kPort);
    EXPECT_EQ(Poll({0x16}).response, (Bytes{0x00, 0x01}));
    for (int attempt = 0; attempt < 16; ++attempt) {
        ASSERT_EQ(library_.InitPort(kPort, kBaud), kPort) << "attempt " << attempt;
    }
    EXPECT_EQ(Poll({0x16}).response, (Bytes{0x00, 0x02}));
}

TEST_F(LibraryTest, ReaderUnpluggedThenBackOnTheSamePort) {
    reader_.Enqueue(FakeReply::Answer(Bytes{0x00, 0x01}));
    ASSERT_EQ(library_.InitPort(kPort, kBaud), kPort);
    ASSERT_EQ(Poll({0x16}).code, VQ_OK);

    reader_.Stop();
    // A hung-up terminal refuses the write.
    EXPECT_EQ(Poll({0x16}).code, VQ_ERR_WRITE_FAILED);
    EXPECT_EQ(library_.ClosePort(kPort), VQ_OK);
    EXPECT_EQ(library_.InitPort(kPort, kBaud), VQ_INIT_NO_DEVICE);

    reader_.Start();
    reader_.Enqueue(FakeReply::Answer(Bytes{0x00, 0x02}));
    ASSERT_EQ(library_.InitPort(kPort, kBaud), kPort);
    const Answer answer = Poll({0x16});
    EXPECT_EQ(answer.code, VQ_OK);
    EXPECT_EQ(answer.response, (Bytes{0x00, 0x02}));
}

TEST_F(LibraryTest, ReaderUnpluggedWhileAnswerIsAwaitedIsNotSilence) {
    ASSERT_EQ(library_.InitPort(kPort, kBaud), kPort);
    auto pending = std::async(std::launch::async, [this] {
        return Poll({0xFF, 0x04}, 30000).code;
    });
    ASSERT_TRUE(reader_.WaitForRequests(1, 10s));
    reader_.Stop();
    EXPECT_EQ(pending.get(), VQ_ERR_PORT_LOST);
}

TEST_F(LibraryTest, SilentReaderTimesOutAndIsAskedOnce) {
    ASSERT_EQ(library_.InitPort(kPort, kBaud), kPort);
    EXPECT_EQ(Poll({0xFF, 0x04}, 50).code, VQ_ERR_TIMEOUT);
    reader_.Enqueue(FakeReply::Answer(Bytes{0x00}));
    EXPECT_EQ(Poll({0x16}).code, VQ_OK);
    // The second answer came for the second request: the first was sent once.
    EXPECT_EQ(reader_.Requests(), (std::vector<Bytes>{{0xFF, 0x04}, {0x16}}));
}

struct BadArgumentCase {
    const char* name;
    int sendLength;
    bool nullSend;
    bool nullLength;
    bool nullReceive;
    int timeoutMs;
};

void PrintTo(const BadArgumentCase& c, std::ostream* out) {
    *out << c.name;
}

class LibraryBadArgumentTest : public LibraryTest,
                               public testing::WithParamInterface<BadArgumentCase> {};

TEST_P(LibraryBadArgumentTest, RefusedWithoutSendingAnything) {
    const BadArgumentCase& c = GetParam();
    ASSERT_EQ(library_.InitPort(kPort, kBaud), kPort);
    Bytes send(5000, 0x16);
    Bytes area(VQ_RECEIVE_CAPACITY, 0xA5);
    int received = 99;
    const int code = library_.Polling(kPort, c.sendLength, c.nullSend ? nullptr : send.data(),
                                      c.nullLength ? nullptr : &received,
                                      c.nullReceive ? nullptr : area.data(), c.timeoutMs);
    EXPECT_EQ(code, VQ_ERR_BAD_ARGUMENT);
    if (!c.nullLength) {
        EXPECT_EQ(received, 0);
    }
    EXPECT_EQ(area, Bytes(VQ_RECEIVE_CAPACITY, 0xA5));

    // Only the request after the refused one reaches the reader.
    reader_.Enqueue(FakeReply::Answer(Bytes{0x00}));
    EXPECT_EQ(Poll({0x04}).code, VQ_OK);
    EXPECT_EQ(reader_.Requests(), (std::vector<Bytes>{{0x04}}));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, LibraryBadArgumentTest,
    testing::Values(BadArgumentCase{"ZeroLength", 0, false, false, false, 100},
                    BadArgumentCase{"NegativeLength", -1, false, false, false, 100},
                    BadArgumentCase{"LengthOverLimit", 4097, false, false, false, 100},
                    BadArgumentCase{"NullSendData", 2, true, false, false, 100},
                    BadArgumentCase{"NullReceiveLength", 2, false, true, false, 100},
                    BadArgumentCase{"NullReceiveData", 2, false, false, true, 100},
                    BadArgumentCase{"NegativeTimeOut", 2, false, false, false, -1}),
    [](const auto& info) { return std::string(info.param.name); });

struct InitFailureCase {
    const char* name;
    int port;
    int baud;
    int result;
};

void PrintTo(const InitFailureCase& c, std::ostream* out) {
    *out << c.name;
}

class LibraryInitFailureTest : public LibraryTest,
                               public testing::WithParamInterface<InitFailureCase> {};

TEST_P(LibraryInitFailureTest, FailsWithResultThatIsNotThePort) {
    const InitFailureCase& c = GetParam();
    LinkPort(9, folder_.Path() / "unplugged");
    LinkPort(10, "/dev/null");
    const int result = library_.InitPort(c.port, c.baud);
    EXPECT_EQ(result, c.result);
    EXPECT_NE(result, c.port);
    Bytes area(VQ_RECEIVE_CAPACITY);
    int received = 0;
    const Bytes request{0x16};
    EXPECT_EQ(library_.Polling(c.port, 1, request.data(), &received, area.data(), 100),
              VQ_ERR_PORT_NOT_OPEN);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, LibraryInitFailureTest,
    testing::Values(InitFailureCase{"PortZero", 0, kBaud, VQ_INIT_BAD_PORT_NUMBER},
                    InitFailureCase{"PortMinusOne", -1, kBaud, VQ_INIT_NO_DEVICE},
                    InitFailureCase{"PortMinusTwo", -2, kBaud, VQ_INIT_BAD_PORT_NUMBER},
                    InitFailureCase{"Port256", 256, kBaud, VQ_INIT_BAD_PORT_NUMBER},
                    InitFailureCase{"NoDeviceForPort", 100, kBaud, VQ_INIT_NO_DEVICE},
                    InitFailureCase{"LinkToVanishedReader", 9, kBaud, VQ_INIT_NO_DEVICE},
                    InitFailureCase{"LinkToNonSerialDevice", 10, kBaud, VQ_INIT_NOT_SERIAL},
                    InitFailureCase{"UnknownBaud", kPort, 12345, VQ_INIT_BAD_BAUD},
                    InitFailureCase{"ZeroBaud", kPort, 0, VQ_INIT_BAD_BAUD}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LibraryTest, FailedReopenLeavesPortClosed) {
    ASSERT_EQ(library_.InitPort(kPort, kBaud), kPort);
    EXPECT_EQ(library_.InitPort(kPort, 12345), VQ_INIT_BAD_BAUD);
    EXPECT_EQ(Poll({0x16}).code, VQ_ERR_PORT_NOT_OPEN);
}

} // namespace
