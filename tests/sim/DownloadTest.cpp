#include "sim/SampleImage.h"
#include "tests/sim/ReaderSession.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace simtest {
namespace {

using namespace std::chrono_literals;
using sim::Firmware;
using sim::ReaderConfig;
using sim::Reply;

ReaderConfig BootLoaderConfig() {
    ReaderConfig config;
    config.startIn = Firmware::BootLoader;
    return config;
}

TEST(Download, WholeRoundTripEndsWithTheImagesVersion) {
    ReaderSession session;
    TestHost host;
    ASSERT_TRUE(session.Authenticate(host));

    EXPECT_EQ(session.Running(), std::nullopt) << "the reader restarts after step 3";
    EXPECT_EQ(session.Send(Hex("FF 0C")).kind, Reply::Kind::Silence);
    session.Wait(2000ms);
    EXPECT_EQ(session.Running(), Firmware::BootLoader);
    EXPECT_EQ(session.Ask(Hex("FF 0C")), Concat(Hex("00"), Text("RIVI_BIOS_200101")));

    EXPECT_EQ(session.Ask(host.KeyProofRequest()), Hex("00"));
    const Bytes image = sim::MakeSampleImage(1000, "160101");
    ASSERT_TRUE(session.Transfer(image));

    EXPECT_EQ(session.Running(), std::nullopt) << "the reader restarts after the finish";
    EXPECT_EQ(session.Send(Hex("FF 04")).kind, Reply::Kind::Silence);
    session.Wait(1999ms);
    EXPECT_EQ(session.Send(Hex("FF 04")).kind, Reply::Kind::Silence);
    session.Wait(1ms);
    EXPECT_EQ(session.Ask(Hex("FF 04")), Concat(Hex("00"), Text("KRVQ-3000-KR1_160101")));

    const auto flash = session.Reader().Flash().Bytes();
    ASSERT_EQ(flash.size(), 1280u) << "blocks at 0..1024, the last one all FF";
    EXPECT_TRUE(std::equal(image.begin(), image.end(), flash.begin()));
    EXPECT_TRUE(std::all_of(flash.begin() + 1000, flash.end(), [](auto b) { return b == 0xFF; }));
}

TEST(Download, EveryBlockIsAnsweredBE) {
    ReaderSession session(BootLoaderConfig());
    TestHost host;
    ASSERT_EQ(session.Ask(host.KeyProofRequest()), Hex("00"));
    const Bytes image = sim::MakeSampleImage(70000, "1A2B3C");
    const auto blocks = TestHost::BlockRequests(image);
    ASSERT_EQ(blocks.size(), 275u);
    for (const Bytes& block : blocks) {
        ASSERT_EQ(session.Ask(block), Hex("BE"));
    }
    EXPECT_EQ(ToHex(TestHost::FinishRequest(image)), "F2 01");
    EXPECT_EQ(session.Ask(TestHost::FinishRequest(image)), Hex("00"));
    session.Wait(2s);
    EXPECT_EQ(session.Reader().VersionCode(), "1A2B3C");
}

TEST(Download, BlocksLandAtTheirOffsetsInAnyOrder) {
    ReaderSession session(BootLoaderConfig());
    TestHost host;
    ASSERT_EQ(session.Ask(host.KeyProofRequest()), Hex("00"));
    const Bytes a(256, 0xAA);
    const Bytes b(256, 0xBB);
    EXPECT_EQ(session.Ask(TestHost::BlockRequest(0x000200, b)), Hex("BE"));
    EXPECT_EQ(session.Ask(TestHost::BlockRequest(0x000000, a)), Hex("BE"));

    const auto flash = session.Reader().Flash().Bytes();
    ASSERT_EQ(flash.size(), 0x300u);
    EXPECT_TRUE(
        std::all_of(flash.begin(), flash.begin() + 0x100, [](auto x) { return x == 0xAA; }));
    EXPECT_TRUE(std::all_of(flash.begin() + 0x100, flash.begin() + 0x200, [](auto x) {
        return x == 0xFF;
    })) << "a gap reads as erased flash";
    EXPECT_TRUE(std::all_of(flash.begin() + 0x200, flash.end(), [](auto x) { return x == 0xBB; }));
}

TEST(Download, BlockPastTheAddressLimitIsRefusedAndNotWritten) {
    ReaderSession session(BootLoaderConfig());
    TestHost host;
    ASSERT_EQ(session.Ask(host.KeyProofRequest()), Hex("00"));
    EXPECT_EQ(session.Ask(TestHost::BlockRequest(0xFFFF01, Bytes(256, 0x11))), Hex("FF"));
    EXPECT_EQ(session.Reader().Flash().Bytes().size(), 0u);
    EXPECT_EQ(session.Ask(TestHost::BlockRequest(0xFFFF00, Bytes(256, 0x11))), Hex("BE"));
}

TEST(Download, ImageWithoutMarkerKeepsTheOldVersion) {
    ReaderSession session(BootLoaderConfig());
    TestHost host;
    ASSERT_EQ(session.Ask(host.KeyProofRequest()), Hex("00"));
    ASSERT_TRUE(session.Transfer(Bytes(600, 0x5A)));
    session.Wait(2s);
    EXPECT_EQ(session.Ask(Hex("FF 04")), Concat(Hex("00"), Text("KRVQ-3000-KR1_150803")));
}

TEST(Download, BootLoaderWithoutKeyWantsTheKeyHandedOver) {
    ReaderConfig config = BootLoaderConfig();
    config.bootLoaderHoldsKey = false;
    ReaderSession session(config);
    TestHost host;
    EXPECT_EQ(session.Send(host.KeyProofRequest()).kind, Reply::Kind::Nak);
    EXPECT_EQ(session.Ask(TestHost::BlockRequest(0, Bytes(256, 1))), Hex("FF"))
        << "no block before the proof";
    EXPECT_EQ(session.Ask(host.HandOverKeyRequest()), Hex("00"));
    EXPECT_EQ(session.Ask(host.KeyProofRequest()), Hex("00"));
    EXPECT_EQ(session.Ask(TestHost::BlockRequest(0, Bytes(256, 1))), Hex("BE"));
}

TEST(Download, ProofUnderAnotherKeyIsRefusedUntilThatKeyIsHandedOver) {
    ReaderSession session(BootLoaderConfig());
    sim::KeyBytes otherKey{};
    otherKey.fill(0x42);
    TestHost stranger(otherKey);
    EXPECT_EQ(session.Send(stranger.KeyProofRequest()).kind, Reply::Kind::Nak);
    EXPECT_EQ(session.Ask(stranger.HandOverKeyRequest()), Hex("00"));
    EXPECT_EQ(session.Ask(stranger.KeyProofRequest()), Hex("00"));
}

TEST(Download, KeyStoredByTheApplicationIsTheBootLoadersKey) {
    ReaderConfig config;
    config.bootLoaderHoldsKey = false;
    ReaderSession session(config);
    TestHost host;
    ASSERT_TRUE(session.Authenticate(host));
    session.Wait(2s);
    EXPECT_EQ(session.Ask(host.KeyProofRequest()), Hex("00"));
}

TEST(Download, NewProofStartsAFreshImage) {
    ReaderSession session(BootLoaderConfig());
    TestHost host;
    ASSERT_EQ(session.Ask(host.KeyProofRequest()), Hex("00"));
    ASSERT_EQ(session.Ask(TestHost::BlockRequest(0x100, Bytes(256, 7))), Hex("BE"));
    ASSERT_EQ(session.Ask(host.KeyProofRequest()), Hex("00"));
    EXPECT_EQ(session.Reader().Flash().Bytes().size(), 0u);
}

TEST(Authentication, ReaderWithAnotherKeyFailsTheHostsCheckAtStep1) {
    ReaderConfig config;
    config.downloadKey = sim::KeyBytes{};
    ReaderSession session(config);
    TestHost host;
    ASSERT_EQ(session.Ask(host.StoreKeyRequest()), Hex("00"));
    EXPECT_FALSE(host.TakeStep1Response(session.Ask(host.Step1Request())));
}

TEST(Authentication, HostWithAnotherKeyCannotGetPastTheReader) {
    ReaderSession session;
    sim::KeyBytes otherKey{};
    otherKey.fill(0x42);
    TestHost stranger(otherKey);
    ASSERT_EQ(session.Ask(stranger.StoreKeyRequest()), Hex("00"));
    EXPECT_FALSE(stranger.TakeStep1Response(session.Ask(stranger.Step1Request())));
    EXPECT_EQ(session.Ask(stranger.Step2Request()), Hex("FF"));
    EXPECT_EQ(session.Ask(stranger.Step3Request()), Hex("FF"));
    EXPECT_EQ(session.Running(), sim::Firmware::Application);
}

TEST(Authentication, Step2MustEchoTheOutstandingChallenge) {
    ReaderSession session;
    TestHost host;
    ASSERT_EQ(session.Ask(host.StoreKeyRequest()), Hex("00"));
    ASSERT_TRUE(host.TakeStep1Response(session.Ask(host.Step1Request())));
    const Bytes stale = host.Step2Request();
    ASSERT_TRUE(host.TakeStep1Response(session.Ask(host.Step1Request())));
    EXPECT_EQ(session.Ask(stale), Hex("FF")) << "the first challenge is no longer outstanding";
}

TEST(Authentication, Step2WithABrokenMacIsRefused) {
    ReaderSession session;
    TestHost host;
    ASSERT_EQ(session.Ask(host.StoreKeyRequest()), Hex("00"));
    ASSERT_TRUE(host.TakeStep1Response(session.Ask(host.Step1Request())));
    Bytes request = host.Step2Request();
    request.back() ^= 0x80;
    EXPECT_EQ(session.Ask(request), Hex("FF"));
}

TEST(Authentication, Step3WithKeysNotFromTheSharedSecretIsRefusedWithoutRestart) {
    ReaderSession session;
    TestHost host;
    ASSERT_EQ(session.Ask(host.StoreKeyRequest()), Hex("00"));
    ASSERT_TRUE(host.TakeStep1Response(session.Ask(host.Step1Request())));
    ASSERT_TRUE(host.TakeStep2Response(session.Ask(host.Step2Request())));
    EXPECT_EQ(session.Ask(host.Step3RequestWithForeignKeys()), Hex("FF"));
    EXPECT_EQ(session.Running(), Firmware::Application);
    EXPECT_EQ(session.Ask(host.Step3Request()), Hex("FF")) << "a refused step 3 ends the exchange";
}

TEST(Authentication, ChallengesDifferFromOneExchangeToTheNext) {
    ReaderSession session;
    TestHost host;
    ASSERT_EQ(session.Ask(host.StoreKeyRequest()), Hex("00"));
    EXPECT_NE(session.Ask(host.Step1Request()), session.Ask(host.Step1Request()));
}

TEST(Authentication, SameSeedRepeatsTheSameExchange) {
    ReaderSession first;
    ReaderSession second;
    TestHost host;
    first.Ask(host.StoreKeyRequest());
    second.Ask(host.StoreKeyRequest());
    EXPECT_EQ(first.Ask(host.Step1Request()), second.Ask(host.Step1Request()));
}

} // namespace
} // namespace simtest
