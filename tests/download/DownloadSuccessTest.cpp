#include "sim/SampleImage.h"
#include "tests/download/DownloadRun.h"
#include "tests/support/NamedCase.h"

#include <algorithm>

namespace downloadtest {
namespace {

const Bytes kBuiltInDownloadKey = {0x86, 0xE9, 0xC0, 0x77, 0x09, 0xC7, 0x2B, 0xA5,
                                   0xD8, 0x4D, 0x00, 0xEC, 0xF9, 0x16, 0xC0, 0x6A};
constexpr char kAsking[] = "FW 버전 확인 중...";
// Before the first version, the application phase (5 x 100 + 5000), after the
// second 16, before the reopen, before the load, before the finish, the restart.
constexpr DWORD kFixedWaits = 100 + 5500 + 100 + 100 + 100 + 30 + 7000;

Bytes Prefix(const Bytes& bytes, std::size_t length) {
    return Bytes(bytes.begin(),
                 bytes.begin() + static_cast<std::ptrdiff_t>(std::min(length, bytes.size())));
}

TEST_F(DownloadRun, FromApplicationFirmwareEveryFrameLineAndWait) {
    ASSERT_TRUE(Download());

    std::vector<Bytes> heads;
    for (const Bytes& request : link.delivered) {
        heads.push_back(Prefix(request, request[0] == 0xFF ? 3 : 1));
    }
    const std::vector<Bytes> expected = {{0xFF, 0x0C},
                                         {0xFF, 0x04},
                                         {0xFF, 0x97},
                                         {0xFF, 0x08, 0x86},
                                         {0xFF, 0x09, 0x01},
                                         {0xFF, 0x09, 0x02},
                                         {0xFF, 0x09, 0x03},
                                         {0xFF, 0x97},
                                         {0x16},
                                         {0x16},
                                         {0x8E},
                                         {0xF1},
                                         {0xF1},
                                         {0xF1},
                                         {0xF1},
                                         {0xF1},
                                         {0xF2},
                                         {0xFF, 0x04},
                                         {0xFF, 0x0C}};
    EXPECT_EQ(heads, expected);
    Bytes storeKey = {0xFF, 0x08};
    storeKey.insert(storeKey.end(), kBuiltInDownloadKey.begin(), kBuiltInDownloadKey.end());
    EXPECT_EQ(link.Requests({0xFF, 0x08}), std::vector<Bytes>{storeKey});
    const std::size_t lengths[] = {2, 2, 2, 18, 3, 43, 59, 2, 1, 1, 17, 260};
    for (std::size_t i = 0; i < std::size(lengths); ++i) {
        EXPECT_EQ(link.delivered[i].size(), lengths[i]) << "request " << i;
    }
    EXPECT_EQ(link.timeouts[6], 150000) << "step 3";

    const std::string info = "VAN=RIVI_RV00012345_C0100_R0100_RVQ-3000-KR1";
    EXPECT_EQ(view.log, (Lines{"장비 확인 중...",
                               "COM5 => 장비 정보 : " + info,
                               kAsking,
                               "Version : KRVQ-3000-KR1_150803",
                               kAsking,
                               "Offkey 확인 중...",
                               "<= 00 ",
                               "리더기 인증 확인중(1)...",
                               "리더기 인증 확인중(2)...",
                               "리더기 인증 확인중(3)...",
                               kAsking,
                               kAsking,
                               "Version : DBIOS_200101",
                               kAsking,
                               "Version : DBIOS_200101",
                               "바이오스 인증 확인중...",
                               "Download Start",
                               kAsking,
                               "Version : KRVQ-3000-KR1_160101",
                               "Download OK(t:12930)"}));
    EXPECT_EQ(view.selected, static_cast<int>(view.log.size()) - 1);
    EXPECT_EQ(clock.TotalSlept(), kFixedWaits);
    EXPECT_EQ(view.statuses, (Lines{"FW 다운로드 중...", "다운로드 성공"}));
    EXPECT_TRUE(view.notices.empty());
    EXPECT_EQ(view.readerInfo, info);
    EXPECT_EQ(view.counter, " 400/400");
    EXPECT_EQ(view.progressRange, 1024);
    EXPECT_EQ(view.progress, 1280);
    EXPECT_EQ(link.open, std::set<int>{kPort}) << "the result timer closes the port";
}

struct ImageCase : testsupport::NamedCase {
    std::size_t size;
    std::int32_t total;
    unsigned char finishByte;
};

class Blocks : public DownloadRun, public testing::WithParamInterface<ImageCase> {};

TEST_P(Blocks, CarryTheImageWithFfFillAndOneAllFfBlockAtTheEnd) {
    const ImageCase& c = GetParam();
    config.startIn = sim::Firmware::BootLoader;
    UseFirmware(sim::MakeSampleImage(c.size, kFileVersion));
    ASSERT_TRUE(Download());
    EXPECT_EQ(view.questions.size(), 1u) << "the typed model name is confirmed";
    EXPECT_TRUE(link.Requests({0xFF, 0x09}).empty()) << "a boot loader is not authenticated";

    const std::vector<Bytes> blocks = link.Requests({0xF1});
    ASSERT_EQ(blocks.size(), static_cast<std::size_t>(c.total / 256 + 1));
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const std::size_t offset = i * 256;
        Bytes expected = {0xF1, static_cast<unsigned char>(offset >> 16),
                          static_cast<unsigned char>(offset >> 8),
                          static_cast<unsigned char>(offset)};
        for (std::size_t at = offset; at < offset + 256; ++at) {
            expected.push_back(at < image.size() ? image[at] : 0xFF);
        }
        EXPECT_EQ(blocks[i], expected) << "block at " << offset;
    }
    EXPECT_EQ(link.Requests({0xF2}), std::vector<Bytes>{(Bytes{0xF2, c.finishByte})});
    EXPECT_EQ(view.progressRange, c.total);
}

INSTANTIATE_TEST_SUITE_P(Images, Blocks,
                         testing::Values(ImageCase{{"Bytes1000"}, 1000, 1024, 0x00},
                                         ImageCase{{"Bytes512"}, 512, 512, 0x00},
                                         ImageCase{{"Bytes70000"}, 70000, 70144, 0x01}),
                         testsupport::CaseName<ImageCase>);

TEST_F(DownloadRun, RefusedBlockIsResentSameAfterPausesUntilTheSixthTry) {
    config.startIn = sim::Firmware::BootLoader;
    config.faults.refuseBlocks = sim::BlockRefusal{256, 5, sim::Refusal::CodeFF};
    config.faults.refuseFinish = 4;
    ASSERT_TRUE(Download());
    const std::vector<Bytes> blocks = link.Requests({0xF1});
    ASSERT_EQ(blocks.size(), 5u + 5u);
    for (std::size_t i = 1; i <= 6; ++i) {
        EXPECT_EQ(blocks[i], blocks[1]) << "try " << i;
    }
    EXPECT_EQ(link.Requests({0xF2}).size(), 5u) << "the finish is taken at its fifth try";
    // No application phase; five refused tries cost 200 ms each, the finish none.
    EXPECT_EQ(clock.TotalSlept(), kFixedWaits - 5500 + 5 * 200);
}

TEST_F(DownloadRun, RefusedProofGetsTheKeyAndOneMoreProof) {
    config.startIn = sim::Firmware::BootLoader;
    config.faults.refuseProof = 1;
    ASSERT_TRUE(Download());
    Bytes handOver = {0x92};
    handOver.insert(handOver.end(), kBuiltInDownloadKey.begin(), kBuiltInDownloadKey.end());
    const auto first =
        std::find(link.delivered.begin(), link.delivered.end(), link.Requests({0x8E}).front());
    ASSERT_LE(first + 3, link.delivered.end());
    EXPECT_EQ(first[1], handOver);
    EXPECT_EQ(first[2], first[0]) << "the same proof again";
    EXPECT_EQ(clock.TotalSlept(), kFixedWaits - 5500 + 100);
}

// Each silent attempt costs the library's 3000 ms time-out and a 500 ms pause; the
// first FF 04 of each run is the query before the authentication.
TEST_F(DownloadRun, RestartAnsweredAtTheSixteenthAttempt) {
    config.startIn = sim::Firmware::BootLoader;
    config.restartTime = std::chrono::milliseconds(7000 + 15 * 3500 - 1500);
    ASSERT_TRUE(Download());
    EXPECT_EQ(link.Requests({0xFF, 0x04}).size(), 1u + 16u);
    EXPECT_EQ(clock.TotalSlept(), kFixedWaits - 5500 + 15 * 500);
}

TEST_F(DownloadRun, RestartGivesUpAfterSixteenAttempts) {
    config.startIn = sim::Firmware::BootLoader;
    config.faults.neverRestartInto = sim::Firmware::Application;
    EXPECT_FALSE(Download());
    EXPECT_EQ(link.Requests({0xFF, 0x04}).size(), 1u + 16u);
    EXPECT_EQ(clock.TotalSlept(), kFixedWaits - 5500 + 16 * 500);
    EXPECT_EQ(view.notices, Lines{"버전 조회 실패"});
    EXPECT_EQ(view.statuses.back(), "다운로드 실패");
    EXPECT_TRUE(link.open.empty());
    EXPECT_EQ(view.portClosings, 1);
    EXPECT_EQ(session.port, 0);
}

} // namespace
} // namespace downloadtest
