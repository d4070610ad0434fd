#include "sim/SampleImage.h"
#include "tests/sim/TestHost.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace simtest {
namespace {

using namespace std::chrono_literals;
using sim::Command;
using sim::Firmware;
using sim::kAlways;
using sim::LinkFaultKind;
using sim::ReaderConfig;
using sim::Refusal;
using sim::Reply;

// How a reply reads below: "NAK", "--" for silence, "BAD " for a garbled frame, then
// the payload in hexadecimal, and the delay when there is one.
std::string Shown(const Reply& reply) {
    const std::map<Reply::Kind, std::string> kinds{{Reply::Kind::Nak, "NAK"},
                                                   {Reply::Kind::Silence, "--"},
                                                   {Reply::Kind::BadFrame, "BAD "},
                                                   {Reply::Kind::Response, ""}};
    std::string text = kinds.at(reply.kind) + ToHex(reply.payload);
    if (reply.delay.count() != 0) {
        text += " after " + std::to_string(reply.delay.count()) + "ms";
    }
    return text;
}

TEST(LinkFault, ShowsUpOnTheChosenCommands) {
    const std::string info = ToHex(Ok("VAN=RIVI_RV00012345_C0100_R0100_RVQ-3000-KR1"));
    const std::string version = ToHex(Ok("KRVQ-3000-KR1_150803"));
    const std::tuple<sim::LinkFault, const char*, std::string> cases[] = {
        {{LinkFaultKind::Silence, {}, kAlways, {}}, "FF 0C", "--"},
        {{LinkFaultKind::Silence, Command::Info, kAlways, {}}, "FF 0C", "--"},
        {{LinkFaultKind::Silence, Command::Info, kAlways, {}}, "FF 04", version},
        {{LinkFaultKind::Nak, Command::Version, kAlways, {}}, "FF 04", "NAK"},
        {{LinkFaultKind::BadFrame, Command::Info, kAlways, {}}, "FF 0C", "BAD " + info},
        {{LinkFaultKind::Delay, Command::MsrState, kAlways, 4000ms},
         "FF 97",
         ToHex(Ok("MSR_OK")) + " after 4000ms"},
        {{LinkFaultKind::Delay, {}, kAlways, 250ms}, "16", version + " after 250ms"}};
    for (const auto& [fault, request, shown] : cases) {
        ReaderConfig config;
        config.faults.link = {fault};
        ReaderSession session(config);
        EXPECT_EQ(Shown(session.Send(Hex(request))), shown) << request;
    }
}

TEST(LinkFaultCount, EndsAfterTheGivenNumberOfAnswersWithTheSameAnswerAfterwards) {
    ReaderConfig config;
    config.faults.link = {{LinkFaultKind::Nak, Command::Info, 2, {}}};
    ReaderSession session(config);
    EXPECT_EQ(session.Send(Hex("FF 04")).kind, Reply::Kind::Response) << "other commands spared";
    EXPECT_EQ(session.Send(Hex("FF 0C")).kind, Reply::Kind::Nak);
    EXPECT_EQ(session.Send(Hex("FF 0C")).kind, Reply::Kind::Nak);
    EXPECT_EQ(session.Ask(Hex("FF 0C")), session.Ask(Hex("FF 0C")));
    EXPECT_EQ(session.Ask(Hex("FF 0C")), Ok("VAN=RIVI_RV00012345_C0100_R0100_RVQ-3000-KR1"));
}

TEST(LinkFaultCount, LostOrRefusedRequestsHaveNoEffectButGarbledAnswersDo) {
    for (auto [kind, takesEffect] :
         {std::pair{LinkFaultKind::Silence, false}, std::pair{LinkFaultKind::Nak, false},
          std::pair{LinkFaultKind::BadFrame, true}, std::pair{LinkFaultKind::Delay, true}}) {
        ReaderConfig config;
        config.faults.link = {{kind, Command::DebugLevel, 1, 10ms}};
        ReaderSession session(config);
        session.Send(Hex("FF 98 07"));
        EXPECT_EQ(session.reader_.DebugLevel(), takesEffect ? 7 : 0)
            << "fault kind " << static_cast<int>(kind);
    }
}

TEST(AuthFault, BreaksTheExchangeAtItsStep) {
    // refused step, step with a wrong MAC, the step at which the host's exchange breaks
    for (auto [refuse, wrongMac, failing] :
         {std::tuple{1, 0, 1}, std::tuple{2, 0, 2}, std::tuple{3, 0, 3}, std::tuple{0, 1, 1},
          std::tuple{0, 2, 2}, std::tuple{0, 0, 0}}) {
        SCOPED_TRACE(testing::Message() << refuse << wrongMac << failing);
        ReaderConfig config;
        config.faults.refuseAuthStep = refuse;
        config.faults.wrongMacStep = wrongMac;
        ReaderSession session(config);
        TestHost host;
        ASSERT_EQ(session.Ask(host.StoreKeyRequest()), Hex("00"));
        const bool step1 = host.TakeStep1Response(session.Ask(host.Step1Request()));
        ASSERT_EQ(step1, failing != 1);
        const bool step2 = step1 && host.TakeStep2Response(session.Ask(host.Step2Request()));
        ASSERT_EQ(step2, step1 && failing != 2);
        if (step2) {
            EXPECT_EQ(session.Ask(host.Step3Request()) == Ok("O"), failing != 3);
            EXPECT_EQ(session.Running(),
                      failing == 3 ? std::optional(Firmware::Application) : std::nullopt);
        }
    }
}

TEST(ProofFault, RefusedOnceOrAlways) {
    for (int times : {1, kAlways}) {
        ReaderConfig config;
        config.startIn = Firmware::BootLoader;
        config.faults.refuseProof = times;
        ReaderSession session(config);
        TestHost host;
        for (int attempt = 0; attempt < 5; ++attempt) {
            const bool refused = times == kAlways || attempt < times;
            EXPECT_EQ(Shown(session.Send(host.KeyProofRequest())), refused ? "NAK" : "00")
                << times << " attempt " << attempt;
            EXPECT_EQ(session.Ask(host.HandOverKeyRequest()), Hex("00"));
        }
    }
}

// Each block is refused the given number of times, counted per block; a refused
// block is not written.
TEST(BlockFault, RefusesTheChosenBlocksTheGivenNumberOfTimes) {
    using Sends = std::vector<std::pair<std::uint32_t, const char*>>;
    const std::pair<sim::BlockRefusal, Sends> cases[] = {
        {{0x100, 2, Refusal::CodeFF},
         {{0x200, "BE"}, {0x100, "FF"}, {0x100, "FF"}, {0x100, "BE"}, {0x100, "BE"}}},
        {{{}, 2, Refusal::CodeFF},
         {{0, "FF"}, {0x100, "FF"}, {0, "FF"}, {0, "BE"}, {0x100, "FF"}, {0x100, "BE"}}},
        {{{}, 1, Refusal::Nak}, {{0x300, "NAK"}, {0x300, "BE"}}},
        {{0, 5, Refusal::Nak},
         {{0, "NAK"}, {0, "NAK"}, {0, "NAK"}, {0, "NAK"}, {0, "NAK"}, {0, "BE"}}}};
    for (const auto& [refusal, sends] : cases) {
        sim::Faults faults;
        faults.refuseBlocks = refusal;
        ReaderSession session = ProvenBootLoader(faults);
        std::size_t written = 0;
        for (std::size_t i = 0; i < sends.size(); ++i) {
            const auto [offset, expected] = sends[i];
            EXPECT_EQ(Shown(session.Send(TestHost::BlockRequest(offset, Bytes(256, 1)))), expected)
                << "send " << i;
            written += std::string_view(expected) == "BE";
            EXPECT_EQ(session.reader_.Flash().BlocksWritten(), written) << "send " << i;
        }
    }
}

TEST(FinishFault, RefusedTheGivenNumberOfTimesThenAcceptedAndRestarts) {
    for (auto [how, times, shown] :
         {std::tuple{Refusal::CodeFF, 4, "FF"}, std::tuple{Refusal::Nak, 1, "NAK"}}) {
        sim::Faults faults;
        faults.refuseFinish = times;
        faults.finishRefusal = how;
        ReaderSession session = ProvenBootLoader(faults);
        for (int attempt = 0; attempt < times; ++attempt) {
            EXPECT_EQ(Shown(session.Send(Hex("F2 00"))), shown);
            EXPECT_EQ(session.Running(), Firmware::BootLoader);
        }
        EXPECT_EQ(Shown(session.Send(Hex("F2 00"))), "00");
        EXPECT_EQ(session.Running(), std::nullopt);
    }
}

TEST(RestartFault, BootLoaderNeverComesAfterAuthentication) {
    ReaderConfig config;
    config.faults.neverRestartInto = Firmware::BootLoader;
    ReaderSession session(config);
    TestHost host;
    ASSERT_TRUE(session.Authenticate(host));
    session.Wait(std::chrono::hours(24));
    EXPECT_EQ(session.Send(Hex("16")).kind, Reply::Kind::Silence);
}

TEST(RestartFault, ApplicationNeverComesAfterTheFinish) {
    sim::Faults faults;
    faults.neverRestartInto = Firmware::Application;
    ReaderSession session = ProvenBootLoader(faults);
    ASSERT_TRUE(session.Transfer(sim::MakeSampleImage(300, "160101")));
    session.Wait(std::chrono::hours(24));
    EXPECT_EQ(session.Send(Hex("FF 04")).kind, Reply::Kind::Silence);
}

TEST(RestartFault, RestartTimeIsConfiguredAndWrongVersionComesBack) {
    ReaderConfig config{};
    config.startIn = Firmware::BootLoader;
    config.restartTime = 9000ms;
    config.faults.versionAfterFlash.emplace("999999");
    ReaderSession session(config);
    ASSERT_EQ(session.Ask(TestHost().KeyProofRequest()), Hex("00"));
    ASSERT_TRUE(session.Transfer(sim::MakeSampleImage(300, "160101")));
    session.Wait(8999ms);
    EXPECT_EQ(session.Running(), std::nullopt);
    session.Wait(1ms);
    EXPECT_EQ(session.Ask(Hex("FF 04")), Ok("KRVQ-3000-KR1_999999"));
}

TEST(VanishFault, MarksOnlyTheAnswerToTheChosenAcceptedBlock) {
    sim::Faults faults;
    faults.vanishAfterBlock = 3;
    faults.refuseBlocks = sim::BlockRefusal{0, 1, Refusal::CodeFF};
    ReaderSession session = ProvenBootLoader(faults);
    EXPECT_FALSE(session.Send(TestHost::BlockRequest(0, Bytes(256, 9))).dropLink) << "refused";
    for (std::uint32_t block = 1; block <= 4; ++block) {
        const Reply reply = session.Send(TestHost::BlockRequest((block - 1) * 256, Bytes(256, 9)));
        EXPECT_EQ(reply.payload, Hex("BE"));
        EXPECT_EQ(reply.dropLink, block == 3) << "block " << block;
    }
}

} // namespace
} // namespace simtest
