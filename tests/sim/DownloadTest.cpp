#include "sim/SampleImage.h"
#include "tests/sim/TestHost.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace simtest {
namespace {

using namespace std::chrono_literals;
using sim::Firmware;
using sim::ReaderConfig;
using sim::Reply;

bool All(std::span<const std::uint8_t> bytes, std::uint8_t value) {
    return std::all_of(bytes.begin(), bytes.end(), [&](auto b) { return b == value; });
}

// The boot loader holds no key of its own: the proof counts under the key the
// application stored.
TEST(Download, WholeRoundTripEndsWithTheImagesVersion) {
    ReaderConfig config;
    config.bootLoaderHoldsKey = false;
    ReaderSession session(config);
    TestHost host;
    ASSERT_TRUE(session.Authenticate(host));

    EXPECT_EQ(session.Running(), std::nullopt) << "the reader restarts after step 3";
    EXPECT_EQ(session.Send(Hex("FF 0C")).kind, Reply::Kind::Silence);
    session.Wait(2000ms);
    EXPECT_EQ(session.Ask(Hex("FF 0C")), Ok("RIVI_BIOS_200101"));

    EXPECT_EQ(session.Ask(host.KeyProofRequest()), Hex("00"));
    const Bytes image = sim::MakeSampleImage(70000, "160101");
    const auto blocks = TestHost::BlockRequests(image);
    ASSERT_EQ(blocks.size(), 275u);
    for (const Bytes& block : blocks) {
        ASSERT_EQ(session.Ask(block), Hex("BE"));
    }
    EXPECT_EQ(ToHex(TestHost::FinishRequest(image)), "F2 01");
    EXPECT_EQ(session.Ask(TestHost::FinishRequest(image)), Hex("00"));

    EXPECT_EQ(session.Running(), std::nullopt) << "the reader restarts after the finish";
    session.Wait(1999ms);
    EXPECT_EQ(session.Send(Hex("FF 04")).kind, Reply::Kind::Silence);
    session.Wait(1ms);
    EXPECT_EQ(session.Ask(Hex("FF 04")), Ok("KRVQ-3000-KR1_160101"));

    const auto flash = session.reader_.Flash().Bytes();
    ASSERT_EQ(flash.size(), 70400u) << "blocks at 0..70144, the last one all FF";
    EXPECT_TRUE(std::equal(image.begin(), image.end(), flash.begin()));
    EXPECT_TRUE(All(std::span(flash).subspan(70000), 0xFF));
}

TEST(Download, BlocksLandAtTheirOffsetsInAnyOrderWithinTheAddressLimit) {
    ReaderSession session = ProvenBootLoader();
    EXPECT_EQ(session.Ask(TestHost::BlockRequest(0xFFFF01, Bytes(256, 0x11))), Hex("FF"));
    EXPECT_EQ(session.reader_.Flash().Bytes().size(), 0u) << "refused, not written";
    EXPECT_EQ(session.Ask(TestHost::BlockRequest(0x200, Bytes(256, 0xBB))), Hex("BE"));
    EXPECT_EQ(session.Ask(TestHost::BlockRequest(0x000, Bytes(256, 0xAA))), Hex("BE"));
    const auto flash = session.reader_.Flash().Bytes();
    ASSERT_EQ(flash.size(), 0x300u);
    EXPECT_TRUE(All(std::span(flash).first(0x100), 0xAA));
    EXPECT_TRUE(All(std::span(flash).subspan(0x100, 0x100), 0xFF)) << "a gap reads as erased";
    EXPECT_TRUE(All(std::span(flash).subspan(0x200), 0xBB));
    EXPECT_EQ(session.Ask(TestHost::BlockRequest(0xFFFF00, Bytes(256, 0x11))), Hex("BE"));
    ASSERT_EQ(session.Ask(TestHost().KeyProofRequest()), Hex("00"));
    EXPECT_EQ(session.reader_.Flash().Bytes().size(), 0u) << "a new proof starts a fresh image";
}

TEST(Download, ImageWithoutMarkerKeepsTheOldVersion) {
    ReaderSession session = ProvenBootLoader();
    ASSERT_TRUE(session.Transfer(Bytes(600, 0x5A)));
    session.Wait(2s);
    EXPECT_EQ(session.Ask(Hex("FF 04")), Ok("KRVQ-3000-KR1_150803"));
}

TEST(Download, ProofCountsOnlyUnderTheKeyHandedOver) {
    ReaderConfig config;
    config.startIn = Firmware::BootLoader;
    config.bootLoaderHoldsKey = false;
    ReaderSession session(config);
    TestHost host;
    sim::KeyBytes otherKey{};
    otherKey.fill(0x42);
    TestHost stranger(otherKey);
    EXPECT_EQ(session.Send(host.KeyProofRequest()).kind, Reply::Kind::Nak) << "no key held";
    EXPECT_EQ(session.Ask(stranger.HandOverKeyRequest()), Hex("00"));
    EXPECT_EQ(session.Send(host.KeyProofRequest()).kind, Reply::Kind::Nak) << "another key";
    EXPECT_EQ(session.Ask(stranger.KeyProofRequest()), Hex("00"));
    EXPECT_EQ(session.Ask(TestHost::BlockRequest(0, Bytes(256, 1))), Hex("BE"));
}

// FF 08 and step 1, returning whether the host's check of step 1 held.
bool StartAuthentication(ReaderSession& session, TestHost& host) {
    EXPECT_EQ(session.Ask(host.StoreKeyRequest()), Hex("00"));
    return host.TakeStep1Response(session.Ask(host.Step1Request()));
}

TEST(Authentication, AnotherKeyOnEitherSideFailsAtStep1) {
    ReaderConfig config;
    config.downloadKey = sim::KeyBytes{};
    ReaderSession reader(config);
    TestHost host;
    EXPECT_FALSE(StartAuthentication(reader, host)) << "reader with another key";

    ReaderSession session;
    sim::KeyBytes otherKey{};
    otherKey.fill(0x42);
    TestHost stranger(otherKey);
    EXPECT_FALSE(StartAuthentication(session, stranger)) << "host with another key";
    EXPECT_EQ(session.Ask(stranger.Step2Request()), Hex("FF"));
    EXPECT_EQ(session.Ask(stranger.Step3Request()), Hex("FF"));
    EXPECT_EQ(session.Running(), Firmware::Application);
}

TEST(Authentication, Step2MustEchoTheOutstandingChallengeUnderAnIntactMac) {
    ReaderSession session;
    TestHost host;
    ASSERT_TRUE(StartAuthentication(session, host));
    const Bytes stale = host.Step2Request();
    ASSERT_TRUE(host.TakeStep1Response(session.Ask(host.Step1Request())));
    EXPECT_EQ(session.Ask(stale), Hex("FF")) << "the first challenge is no longer outstanding";
    ASSERT_TRUE(host.TakeStep1Response(session.Ask(host.Step1Request())));
    Bytes broken = host.Step2Request();
    broken.back() ^= 0x80;
    EXPECT_EQ(session.Ask(broken), Hex("FF"));
}

TEST(Authentication, Step3WithKeysNotFromTheSharedSecretIsRefusedWithoutRestart) {
    ReaderSession session;
    TestHost host;
    ASSERT_TRUE(StartAuthentication(session, host));
    ASSERT_TRUE(host.TakeStep2Response(session.Ask(host.Step2Request())));
    EXPECT_EQ(session.Ask(host.Step3Request(true)), Hex("FF"));
    EXPECT_EQ(session.Running(), Firmware::Application);
    EXPECT_EQ(session.Ask(host.Step3Request()), Hex("FF")) << "a refused step 3 ends the exchange";
}

TEST(Authentication, ChallengesDifferInOneRunAndRepeatUnderTheSameSeed) {
    ReaderSession first;
    ReaderSession second;
    TestHost host;
    first.Ask(host.StoreKeyRequest());
    second.Ask(host.StoreKeyRequest());
    const Bytes challenge = first.Ask(host.Step1Request());
    EXPECT_EQ(challenge, second.Ask(host.Step1Request()));
    EXPECT_NE(challenge, first.Ask(host.Step1Request()));
}

} // namespace
} // namespace simtest
