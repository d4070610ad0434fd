// The same exchanges over the in-process state machine and over the pseudo-terminal
// through the reader-link library: the library must see exactly what the state
// machine decided.

#include "sim/SampleImage.h"
#include "tests/sim/ReaderLink.h"
#include "tests/sim/TestHost.h"

#include <gtest/gtest.h>

namespace simtest {
namespace {

using namespace std::chrono_literals;
using sim::Firmware;
using sim::ReaderConfig;

constexpr auto kRestart = 50ms;

template <typename Link> class OverEveryLink : public testing::Test {
protected:
    static std::unique_ptr<ReaderLink> Make(ReaderConfig config) {
        config.restartTime = kRestart;
        return std::make_unique<Link>(std::move(config));
    }
};

using Links = testing::Types<InProcessLink, PtyLink>;
TYPED_TEST_SUITE(OverEveryLink, Links);

LinkResult Ok(std::string_view text) {
    return {VQ_OK, Concat(Hex("00"), Text(text))};
}

void ExpectResult(const LinkResult& actual, const LinkResult& expected, const char* what) {
    EXPECT_EQ(actual.code, expected.code) << what;
    EXPECT_EQ(ToHex(actual.payload), ToHex(expected.payload)) << what;
}

TYPED_TEST(OverEveryLink, WholeDownload) {
    auto link = this->Make({});
    TestHost host;
    const auto ask = [&](const Bytes& request) { return link->Exchange(request, 3000ms); };

    ExpectResult(ask(Hex("FF 0C")), Ok("VAN=RIVI_RV00012345_C0100_R0100_RVQ-3000-KR1"), "info");
    ExpectResult(ask(Hex("FF 04")), Ok("KRVQ-3000-KR1_150803"), "version");
    ExpectResult(ask(Hex("FF 97")), Ok("MSR_OK"), "MSR");
    ExpectResult(ask(host.StoreKeyRequest()), {VQ_OK, Hex("00")}, "FF 08");
    ASSERT_TRUE(host.TakeStep1Response(ask(host.Step1Request()).payload));
    ASSERT_TRUE(host.TakeStep2Response(ask(host.Step2Request()).payload));
    ExpectResult(ask(host.Step3Request()), Ok("O"), "step 3");

    ExpectResult(link->Exchange(Hex("FF 97"), 10ms), {VQ_ERR_TIMEOUT, {}}, "restarting");
    link->Wait(kRestart);
    ExpectResult(ask(Hex("FF 97")), {VQ_OK, Hex("FF")}, "boot loader knows no FF 97");
    ExpectResult(ask(Hex("16")), Ok("DBIOS_200101"), "boot loader version");
    ExpectResult(ask(host.KeyProofRequest()), {VQ_OK, Hex("00")}, "proof");

    const Bytes image = sim::MakeSampleImage(1000, "160101");
    for (const Bytes& block : TestHost::BlockRequests(image)) {
        ExpectResult(ask(block), {VQ_OK, Hex("BE")}, "block");
    }
    ExpectResult(ask(TestHost::FinishRequest(image)), {VQ_OK, Hex("00")}, "finish");
    ExpectResult(link->Exchange(Hex("FF 04"), 10ms), {VQ_ERR_TIMEOUT, {}}, "restarting");
    link->Wait(kRestart);
    ExpectResult(ask(Hex("FF 04")), Ok("KRVQ-3000-KR1_160101"), "new version");
}

TYPED_TEST(OverEveryLink, BootLoaderWithoutKeyAfterRefusedProof) {
    ReaderConfig config;
    config.startIn = Firmware::BootLoader;
    config.bootLoaderHoldsKey = false;
    auto link = this->Make(config);
    TestHost host;
    ExpectResult(link->Exchange(host.KeyProofRequest(), 5000ms), {VQ_ERR_REFUSED, {}}, "proof");
    ExpectResult(link->Exchange(host.HandOverKeyRequest(), 5000ms), {VQ_OK, Hex("00")}, "92");
    ExpectResult(link->Exchange(host.KeyProofRequest(), 5000ms), {VQ_OK, Hex("00")}, "proof");
}

struct WireFaultCase {
    const char* name;
    sim::LinkFaultKind kind;
    int code;
};

class WireFaults : public testing::TestWithParam<WireFaultCase> {};

TEST_P(WireFaults, ReachTheLibraryAsItsResults) {
    const WireFaultCase& c = GetParam();
    ReaderConfig config;
    config.faults.link = {{c.kind, sim::Command::Version, 1, 400ms}};
    PtyLink link(config);
    ExpectResult(link.Exchange(Hex("FF 04"), 200ms), {c.code, {}}, "faulty");
    ExpectResult(link.Exchange(Hex("FF 04"), 1000ms), Ok("KRVQ-3000-KR1_150803"), "afterwards");
}

INSTANTIATE_TEST_SUITE_P(
    All, WireFaults,
    testing::Values(WireFaultCase{"Silence", sim::LinkFaultKind::Silence, VQ_ERR_TIMEOUT},
                    WireFaultCase{"Nak", sim::LinkFaultKind::Nak, VQ_ERR_REFUSED},
                    WireFaultCase{"BadFrame", sim::LinkFaultKind::BadFrame, VQ_ERR_MALFORMED},
                    WireFaultCase{"DelayPastTheTimeout", sim::LinkFaultKind::Delay,
                                  VQ_ERR_TIMEOUT}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace simtest
