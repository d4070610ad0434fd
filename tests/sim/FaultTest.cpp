#include "sim/SampleImage.h"
#include "tests/sim/ReaderSession.h"

#include <gtest/gtest.h>

namespace simtest {
namespace {

using namespace std::chrono_literals;
using sim::Command;
using sim::Firmware;
using sim::kAlways;
using sim::LinkFault;
using sim::LinkFaultKind;
using sim::ReaderConfig;
using sim::Refusal;
using sim::Reply;

const Bytes kInfoAnswer = Concat(Hex("00"), Text("VAN=RIVI_RV00012345_C0100_R0100_RVQ-3000-KR1"));

// --- faults of the link: what the reader does with a request -------------------

struct LinkFaultCase {
    const char* name;
    LinkFault fault;
    const char* request;
    Reply::Kind kind;
    bool answerCarriesData; // the normal answer's payload rides along
    std::chrono::milliseconds delay;
};

class LinkFaults : public testing::TestWithParam<LinkFaultCase> {};

TEST_P(LinkFaults, ShowUpOnTheChosenCommands) {
    const LinkFaultCase& c = GetParam();
    ReaderConfig config;
    config.faults.link = {c.fault};
    ReaderSession session(config);
    ReaderSession healthy;

    const Reply reply = session.Send(Hex(c.request));
    const Reply normal = healthy.Send(Hex(c.request));

    EXPECT_EQ(reply.kind, c.kind);
    EXPECT_EQ(reply.payload, c.answerCarriesData ? normal.payload : Bytes{});
    EXPECT_EQ(reply.delay, c.delay);
}

INSTANTIATE_TEST_SUITE_P(
    All, LinkFaults,
    testing::Values(LinkFaultCase{"SilenceEverywhere",
                                  {LinkFaultKind::Silence, {}, kAlways, {}},
                                  "FF 0C",
                                  Reply::Kind::Silence,
                                  false,
                                  0ms},
                    LinkFaultCase{"SilenceOnInfo",
                                  {LinkFaultKind::Silence, Command::Info, kAlways, {}},
                                  "FF 0C",
                                  Reply::Kind::Silence,
                                  false,
                                  0ms},
                    LinkFaultCase{"SilenceOnInfoSparesVersion",
                                  {LinkFaultKind::Silence, Command::Info, kAlways, {}},
                                  "FF 04",
                                  Reply::Kind::Response,
                                  true,
                                  0ms},
                    LinkFaultCase{"NakOnVersion",
                                  {LinkFaultKind::Nak, Command::Version, kAlways, {}},
                                  "FF 04",
                                  Reply::Kind::Nak,
                                  false,
                                  0ms},
                    LinkFaultCase{"BadFrameOnInfo",
                                  {LinkFaultKind::BadFrame, Command::Info, kAlways, {}},
                                  "FF 0C",
                                  Reply::Kind::BadFrame,
                                  true,
                                  0ms},
                    LinkFaultCase{"DelayOnMsr",
                                  {LinkFaultKind::Delay, Command::MsrState, kAlways, 4000ms},
                                  "FF 97",
                                  Reply::Kind::Response,
                                  true,
                                  4000ms},
                    LinkFaultCase{"DelayEverywhere",
                                  {LinkFaultKind::Delay, {}, kAlways, 250ms},
                                  "16",
                                  Reply::Kind::Response,
                                  true,
                                  250ms}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LinkFaultCount, EndsAfterTheGivenNumberOfAnswersWithTheSameAnswerAfterwards) {
    ReaderConfig config;
    config.faults.link = {{LinkFaultKind::Nak, Command::Info, 2, {}}};
    ReaderSession session(config);
    EXPECT_EQ(session.Send(Hex("FF 04")).kind, Reply::Kind::Response) << "other commands spared";
    EXPECT_EQ(session.Send(Hex("FF 0C")).kind, Reply::Kind::Nak);
    EXPECT_EQ(session.Send(Hex("FF 0C")).kind, Reply::Kind::Nak);
    EXPECT_EQ(session.Ask(Hex("FF 0C")), kInfoAnswer);
    EXPECT_EQ(session.Ask(Hex("FF 0C")), kInfoAnswer);
}

TEST(LinkFaultCount, LostOrRefusedRequestsHaveNoEffectButGarbledAnswersDo) {
    for (auto [kind, takesEffect] :
         {std::pair{LinkFaultKind::Silence, false}, std::pair{LinkFaultKind::Nak, false},
          std::pair{LinkFaultKind::BadFrame, true}, std::pair{LinkFaultKind::Delay, true}}) {
        ReaderConfig config;
        config.faults.link = {{kind, Command::DebugLevel, 1, 10ms}};
        ReaderSession session(config);
        session.Send(Hex("FF 98 07"));
        EXPECT_EQ(session.Reader().DebugLevel(), takesEffect ? 7 : 0)
            << "fault kind " << static_cast<int>(kind);
    }
}

// --- faults of the download steps ------------------------------------------------

TEST(MsrFault, MakesTheMsrTextLookLikeAVersion) {
    ReaderConfig config;
    config.faults.msrNotAuthenticated = true;
    ReaderSession session(config);
    const Bytes answer = session.Ask(Hex("FF 97"));
    ASSERT_GE(answer.size(), 2u);
    EXPECT_TRUE(answer[1] == 'D' || answer[1] == 'K');
}

struct AuthFaultCase {
    const char* name;
    int refuseStep;
    int wrongMacStep;
    int failingStep; // the step at which the host's exchange breaks
};

class AuthFaults : public testing::TestWithParam<AuthFaultCase> {};

TEST_P(AuthFaults, BreakTheExchangeAtTheirStep) {
    const AuthFaultCase& c = GetParam();
    ReaderConfig config;
    config.faults.refuseAuthStep = c.refuseStep;
    config.faults.wrongMacStep = c.wrongMacStep;
    ReaderSession session(config);
    TestHost host;
    ASSERT_EQ(session.Ask(host.StoreKeyRequest()), Hex("00"));

    const bool step1 = host.TakeStep1Response(session.Ask(host.Step1Request()));
    EXPECT_EQ(step1, c.failingStep != 1);
    if (!step1) {
        return;
    }
    const bool step2 = host.TakeStep2Response(session.Ask(host.Step2Request()));
    EXPECT_EQ(step2, c.failingStep != 2);
    if (!step2) {
        return;
    }
    const Bytes step3 = session.Ask(host.Step3Request());
    EXPECT_EQ(step3 == Concat(Hex("00"), Text("O")), c.failingStep != 3);
    EXPECT_EQ(session.Running(),
              c.failingStep == 3 ? std::optional(Firmware::Application) : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    All, AuthFaults,
    testing::Values(AuthFaultCase{"RefuseStep1", 1, 0, 1}, AuthFaultCase{"RefuseStep2", 2, 0, 2},
                    AuthFaultCase{"RefuseStep3", 3, 0, 3}, AuthFaultCase{"WrongMacStep1", 0, 1, 1},
                    AuthFaultCase{"WrongMacStep2", 0, 2, 2}, AuthFaultCase{"None", 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

ReaderConfig BootLoader() {
    ReaderConfig config;
    config.startIn = Firmware::BootLoader;
    return config;
}

TEST(ProofFault, RefusedOnceThenAccepted) {
    ReaderConfig config = BootLoader();
    config.faults.refuseProof = 1;
    ReaderSession session(config);
    TestHost host;
    EXPECT_EQ(session.Send(host.KeyProofRequest()).kind, Reply::Kind::Nak);
    EXPECT_EQ(session.Ask(host.HandOverKeyRequest()), Hex("00"));
    EXPECT_EQ(session.Ask(host.KeyProofRequest()), Hex("00"));
}

TEST(ProofFault, RefusedAlways) {
    ReaderConfig config = BootLoader();
    config.faults.refuseProof = kAlways;
    ReaderSession session(config);
    TestHost host;
    for (int attempt = 0; attempt < 5; ++attempt) {
        EXPECT_EQ(session.Send(host.KeyProofRequest()).kind, Reply::Kind::Nak);
        EXPECT_EQ(session.Ask(host.HandOverKeyRequest()), Hex("00"));
    }
}

// Proven boot loader with the given faults.
ReaderSession ProvenBootLoader(sim::Faults faults) {
    ReaderConfig config = BootLoader();
    config.faults = std::move(faults);
    ReaderSession session(config);
    EXPECT_EQ(session.Ask(TestHost().KeyProofRequest()), Hex("00"));
    return session;
}

// How a reply reads in the tables below: "NAK", "--" for silence, otherwise the
// payload in hexadecimal.
std::string Shown(const Reply& reply) {
    switch (reply.kind) {
    case Reply::Kind::Nak:
        return "NAK";
    case Reply::Kind::Silence:
        return "--";
    default:
        return ToHex(reply.payload);
    }
}

struct BlockFaultCase {
    const char* name;
    sim::BlockRefusal refusal;
    std::uint32_t offset;
    std::vector<std::string> replies; // the answers to the same block sent again and again
};

class BlockFaults : public testing::TestWithParam<BlockFaultCase> {};

TEST_P(BlockFaults, RefuseTheChosenBlockTheGivenNumberOfTimes) {
    const BlockFaultCase& c = GetParam();
    sim::Faults faults;
    faults.refuseBlocks = c.refusal;
    ReaderSession session = ProvenBootLoader(faults);
    const Bytes block = TestHost::BlockRequest(c.offset, Bytes(256, 0x3C));
    for (std::size_t i = 0; i < c.replies.size(); ++i) {
        EXPECT_EQ(session.Reader().Flash().BlocksWritten(), 0u) << "refused, not written";
        EXPECT_EQ(Shown(session.Send(block)), c.replies[i]) << "attempt " << i + 1;
    }
    EXPECT_EQ(session.Reader().Flash().BlocksWritten(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    All, BlockFaults,
    testing::Values(
        BlockFaultCase{
            "ChosenOffsetTwiceWithFF", {0x100, 2, Refusal::CodeFF}, 0x100, {"FF", "FF", "BE"}},
        BlockFaultCase{"OtherOffsetUntouched", {0x100, 2, Refusal::CodeFF}, 0x200, {"BE"}},
        BlockFaultCase{"EveryBlockOnceWithNak", {{}, 1, Refusal::Nak}, 0x300, {"NAK", "BE"}},
        BlockFaultCase{"FiveTimesThenAccepted",
                       {0, 5, Refusal::Nak},
                       0,
                       {"NAK", "NAK", "NAK", "NAK", "NAK", "BE"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BlockFault, EveryBlockCountsItsOwnRefusals) {
    sim::Faults faults;
    faults.refuseBlocks = sim::BlockRefusal{std::nullopt, 2, Refusal::CodeFF};
    ReaderSession session = ProvenBootLoader(faults);
    for (std::uint32_t offset : {0u, 0x100u, 0x200u}) {
        const Bytes block = TestHost::BlockRequest(offset, Bytes(256, 1));
        EXPECT_EQ(session.Ask(block), Hex("FF"));
        EXPECT_EQ(session.Ask(block), Hex("FF"));
        EXPECT_EQ(session.Ask(block), Hex("BE"));
    }
}

TEST(FinishFault, RefusedFourTimesThenAcceptedAndRestarts) {
    sim::Faults faults;
    faults.refuseFinish = 4;
    ReaderSession session = ProvenBootLoader(faults);
    for (int attempt = 0; attempt < 4; ++attempt) {
        EXPECT_EQ(session.Ask(Hex("F2 00")), Hex("FF"));
        EXPECT_EQ(session.Running(), Firmware::BootLoader);
    }
    EXPECT_EQ(session.Ask(Hex("F2 00")), Hex("00"));
    EXPECT_EQ(session.Running(), std::nullopt);
}

TEST(FinishFault, RefusedWithNak) {
    sim::Faults faults;
    faults.refuseFinish = 1;
    faults.finishRefusal = Refusal::Nak;
    ReaderSession session = ProvenBootLoader(faults);
    EXPECT_EQ(session.Send(Hex("F2 00")).kind, Reply::Kind::Nak);
    EXPECT_EQ(session.Ask(Hex("F2 00")), Hex("00"));
}

TEST(RestartFault, BootLoaderNeverComesAfterAuthentication) {
    ReaderConfig config;
    config.faults.neverRestartInto = Firmware::BootLoader;
    ReaderSession session(config);
    TestHost host;
    ASSERT_TRUE(session.Authenticate(host));
    session.Wait(std::chrono::hours(24));
    EXPECT_EQ(session.Running(), std::nullopt);
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

TEST(RestartFault, RestartTimeIsConfigured) {
    ReaderConfig config = BootLoader();
    config.restartTime = 9000ms;
    ReaderSession session(config);
    ASSERT_EQ(session.Ask(TestHost().KeyProofRequest()), Hex("00"));
    ASSERT_TRUE(session.Transfer(Bytes(10, 0)));
    session.Wait(8999ms);
    EXPECT_EQ(session.Running(), std::nullopt);
    session.Wait(1ms);
    EXPECT_EQ(session.Running(), Firmware::Application);
}

TEST(VersionFault, WrongVersionAfterRestart) {
    sim::Faults faults;
    faults.versionAfterFlash = "999999";
    ReaderSession session = ProvenBootLoader(faults);
    ASSERT_TRUE(session.Transfer(sim::MakeSampleImage(300, "160101")));
    session.Wait(2s);
    EXPECT_EQ(session.Ask(Hex("FF 04")), Concat(Hex("00"), Text("KRVQ-3000-KR1_999999")));
}

TEST(VanishFault, MarksOnlyTheAnswerToTheChosenBlock) {
    sim::Faults faults;
    faults.vanishAfterBlock = 3;
    ReaderSession session = ProvenBootLoader(faults);
    for (std::uint32_t block = 1; block <= 4; ++block) {
        const Reply reply = session.Send(TestHost::BlockRequest((block - 1) * 256, Bytes(256, 9)));
        EXPECT_EQ(reply.payload, Hex("BE"));
        EXPECT_EQ(reply.dropLink, block == 3) << "block " << block;
    }
}

TEST(VanishFault, CountsAcceptedBlocksOnly) {
    sim::Faults faults;
    faults.vanishAfterBlock = 1;
    faults.refuseBlocks = sim::BlockRefusal{0, 1, Refusal::CodeFF};
    ReaderSession session = ProvenBootLoader(faults);
    const Bytes block = TestHost::BlockRequest(0, Bytes(256, 9));
    EXPECT_FALSE(session.Send(block).dropLink);
    EXPECT_TRUE(session.Send(block).dropLink);
}

} // namespace
} // namespace simtest
