#include "sim/SampleImage.h"
#include "tests/sim/TestHost.h"

#include <gtest/gtest.h>

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

// How a reply reads below: "NAK", "--" for silence, "BAD" for a garbled frame,
// otherwise the payload in hexadecimal.
std::string Shown(const Reply& reply) {
    switch (reply.kind) {
    case Reply::Kind::Nak:
        return "NAK" + ToHex(reply.payload);
    case Reply::Kind::Silence:
        return "--" + ToHex(reply.payload);
    case Reply::Kind::BadFrame:
        return "BAD " + ToHex(reply.payload);
    default:
        return ToHex(reply.payload);
    }
}

struct LinkFaultCase {
    const char* name;
    LinkFaultKind kind;
    std::optional<Command> command;
    std::chrono::milliseconds delay;
    const char* request;
    const char* shown; // the reply as Shown() reads it
};

class LinkFaults : public testing::TestWithParam<LinkFaultCase> {};

TEST_P(LinkFaults, ShowUpOnTheChosenCommands) {
    const LinkFaultCase& c = GetParam();
    ReaderConfig config;
    config.faults.link = {{c.kind, c.command, kAlways, c.delay}};
    ReaderSession session(config);
    const Reply reply = session.Send(Hex(c.request));
    EXPECT_EQ(Shown(reply), c.shown);
    EXPECT_EQ(reply.delay, c.kind == LinkFaultKind::Delay ? c.delay : 0ms);
}

const std::string kInfo = "BAD " + ToHex(Ok("VAN=RIVI_RV00012345_C0100_R0100_RVQ-3000-KR1"));
const std::string kMsr = ToHex(Ok("MSR_OK"));
const std::string kVersion = ToHex(Ok("KRVQ-3000-KR1_150803"));

INSTANTIATE_TEST_SUITE_P(
    All, LinkFaults,
    testing::Values(
        LinkFaultCase{"SilenceEverywhere", LinkFaultKind::Silence, {}, 0ms, "FF 0C", "--"},
        LinkFaultCase{"SilenceOnInfo", LinkFaultKind::Silence, Command::Info, 0ms, "FF 0C", "--"},
        LinkFaultCase{"SilenceOnInfoSparesVersion", LinkFaultKind::Silence, Command::Info, 0ms,
                      "FF 04", kVersion.c_str()},
        LinkFaultCase{"NakOnVersion", LinkFaultKind::Nak, Command::Version, 0ms, "FF 04", "NAK"},
        LinkFaultCase{"BadFrameOnInfo", LinkFaultKind::BadFrame, Command::Info, 0ms, "FF 0C",
                      kInfo.c_str()},
        LinkFaultCase{"DelayOnMsr", LinkFaultKind::Delay, Command::MsrState, 4000ms, "FF 97",
                      kMsr.c_str()},
        LinkFaultCase{"DelayEverywhere", LinkFaultKind::Delay, {}, 250ms, "16", kVersion.c_str()}),
    [](const auto& info) { return std::string(info.param.name); });

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
    ASSERT_EQ(step1, c.failingStep != 1);
    const bool step2 = step1 && host.TakeStep2Response(session.Ask(host.Step2Request()));
    ASSERT_EQ(step2, step1 && c.failingStep != 2);
    if (step2) {
        EXPECT_EQ(session.Ask(host.Step3Request()) == Ok("O"), c.failingStep != 3);
        EXPECT_EQ(session.Running(),
                  c.failingStep == 3 ? std::optional(Firmware::Application) : std::nullopt);
    }
}

INSTANTIATE_TEST_SUITE_P(
    All, AuthFaults,
    testing::Values(AuthFaultCase{"RefuseStep1", 1, 0, 1}, AuthFaultCase{"RefuseStep2", 2, 0, 2},
                    AuthFaultCase{"RefuseStep3", 3, 0, 3}, AuthFaultCase{"WrongMacStep1", 0, 1, 1},
                    AuthFaultCase{"WrongMacStep2", 0, 2, 2}, AuthFaultCase{"None", 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

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
        EXPECT_EQ(session.reader_.Flash().BlocksWritten(), 0u) << "refused, not written";
        EXPECT_EQ(Shown(session.Send(block)), c.replies[i]) << "attempt " << i + 1;
    }
    EXPECT_EQ(session.reader_.Flash().BlocksWritten(), 1u);
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
        for (const char* expected : {"FF", "FF", "BE"}) {
            EXPECT_EQ(ToHex(session.Ask(block)), expected) << offset;
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
    ReaderConfig config;
    config.startIn = Firmware::BootLoader;
    config.restartTime = 9000ms;
    config.faults.versionAfterFlash = "999999";
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
