#include "download/BlockTransfer.h"
#include "security/Hex.h"
#include "sim/SampleImage.h"
#include "tests/download/DownloadRun.h"
#include "tests/support/NamedCase.h"

#include <algorithm>

namespace downloadtest {
namespace {

const Bytes kBuiltInDownloadKey = {0x86, 0xE9, 0xC0, 0x77, 0x09, 0xC7, 0x2B, 0xA5,
                                   0xD8, 0x4D, 0x00, 0xEC, 0xF9, 0x16, 0xC0, 0x6A};
// Before the first version, the application phase (5 x 100 + 5000), after the
// second 16, before the reopen, before the load, before the finish, the restart.
constexpr DWORD kFixedWaits = 100 + 5500 + 100 + 100 + 100 + 30 + 7000;

// The first bytes of each request in hexadecimal (three of an FF command, else one).
std::string Heads(const std::vector<Bytes>& requests) {
    std::string heads;
    for (const Bytes& request : requests) {
        heads += BytesToHex(request.data(), std::min(request[0] == 0xFF ? 3 : 1,
                                                     static_cast<int>(request.size()))) +
                 " ";
    }
    return heads;
}

std::string Joined(const Lines& lines) {
    std::string joined;
    for (const std::string& line : lines) {
        joined += line + "\n";
    }
    return joined;
}

TEST_F(DownloadRun, FromApplicationFirmwareEveryFrameLineAndWait) {
    ASSERT_TRUE(Download());

    EXPECT_EQ(Heads(link.delivered), "FF0C FF04 FF97 FF0886 FF0901 FF0902 FF0903 FF97 16 16 8E "
                                     "F1 F1 F1 F1 F1 F2 FF04 FF0C ");
    Bytes storeKey = {0xFF, 0x08};
    storeKey.insert(storeKey.end(), kBuiltInDownloadKey.begin(), kBuiltInDownloadKey.end());
    EXPECT_EQ(link.Requests({0xFF, 0x08}), std::vector<Bytes>{storeKey});
    EXPECT_EQ(std::vector<int>(link.timeouts.begin() + 4, link.timeouts.begin() + 7),
              (std::vector<int>{5000, 5000, 150000}))
        << "steps 1 to 3";

    const std::string info = "VAN=RIVI_RV00012345_C0100_R0100_RVQ-3000-KR1";
    EXPECT_EQ(Joined(view.log),
              "장비 확인 중...\nCOM5 => 장비 정보 : " + info +
                  "\nFW 버전 확인 중...\nVersion : KRVQ-3000-KR1_150803\nFW 버전 확인 중...\n"
                  "Offkey 확인 중...\n<= 00 \n리더기 인증 확인중(1)...\n리더기 인증 확인중(2)...\n"
                  "리더기 인증 확인중(3)...\nFW 버전 확인 중...\nFW 버전 확인 중...\n"
                  "Version : DBIOS_200101\nFW 버전 확인 중...\nVersion : DBIOS_200101\n"
                  "바이오스 인증 확인중...\nDownload Start\nFW 버전 확인 중...\n"
                  "Version : KRVQ-3000-KR1_160101\nDownload OK(t:12930)\n");
    EXPECT_EQ(view.selected, static_cast<int>(view.log.size()) - 1);
    EXPECT_EQ(clock.TotalSlept(), kFixedWaits);
    EXPECT_EQ(view.statuses, (Lines{"FW 다운로드 중...", "다운로드 성공"}));
    EXPECT_TRUE(view.shown.empty());
    EXPECT_EQ(view.readerInfo, info);
    EXPECT_EQ(view.counter, " 400/400");
    EXPECT_EQ(view.progressRange, 1024);
    EXPECT_EQ(view.progress, 1280);
    EXPECT_EQ(link.open, std::set<int>{kPort}) << "the result timer closes the port";
    EXPECT_EQ(link.closings, 1) << "closed once before the boot loader's port is opened again";
}

struct ImageCase : testsupport::NamedCase {
    std::size_t size;
    std::int32_t total;
    unsigned char finishByte;
};

class Blocks : public DownloadRun, public testing::WithParamInterface<ImageCase> {};

TEST_P(Blocks, CarryTheImageWithFfFillAndOneAllFfBlockAtTheEnd) {
    const ImageCase& c = GetParam();
    UseFirmware(sim::MakeSampleImage(c.size, kFileVersion));
    ASSERT_TRUE(Download("--start-in boot"));
    EXPECT_EQ(view.shown.size(), 1u) << "only the typed model name is asked about";

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
}

INSTANTIATE_TEST_SUITE_P(Images, Blocks,
                         testing::Values(ImageCase{{"Bytes1000"}, 1000, 1024, 0x00},
                                         ImageCase{{"Bytes512"}, 512, 512, 0x00},
                                         ImageCase{{"Bytes70000"}, 70000, 70144, 0x01},
                                         ImageCase{
                                             {"Largest"}, kLargestImage, kLargestImage, 0xFF}),
                         testsupport::CaseName<ImageCase>);

// The file is read once, at the check before the authentication.
TEST_F(DownloadRun, FileChangedAfterTheCheckIsNotWhatIsSent) {
    const Bytes checked = image;
    onRequest = [&](const Bytes& request) {
        if (request == Bytes{0xFF, 0x04}) {
            UseFirmware({0x00});
        }
    };
    ASSERT_TRUE(Download());
    const std::vector<Bytes> blocks = link.Requests({0xF1});
    ASSERT_EQ(blocks.size(), 5u);
    EXPECT_TRUE(std::equal(checked.begin(), checked.begin() + 256, blocks[0].begin() + 4));
    EXPECT_EQ(view.lookups, 1);
}

TEST_F(DownloadRun, RefusedBlockIsResentSameAfterPausesUntilTheSixthTry) {
    ASSERT_TRUE(Download("--start-in boot --refuse-blocks 5@256 --refuse-finish 4"));
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
    ASSERT_TRUE(Download("--start-in boot --refuse-proof once"));
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
    ASSERT_TRUE(
        Download("--start-in boot --restart-ms " + std::to_string(7000 + 15 * 3500 - 1500)));
    EXPECT_EQ(link.Requests({0xFF, 0x04}).size(), 1u + 16u);
    EXPECT_EQ(clock.TotalSlept(), kFixedWaits - 5500 + 15 * 500);
}

TEST_F(DownloadRun, RestartGivesUpAfterSixteenAttempts) {
    EXPECT_FALSE(Download("--start-in boot --never-restart app"));
    EXPECT_EQ(link.Requests({0xFF, 0x04}).size(), 1u + 16u);
    EXPECT_EQ(clock.TotalSlept(), kFixedWaits - 5500 + 16 * 500);
    EXPECT_EQ(view.shown.back(), "notice: 버전 조회 실패");
    EXPECT_TRUE(link.open.empty());
}

struct AwayCase : testsupport::NamedCase {
    int awayMs; // from the answer to F2 until the device node is back
    int opens;  // the reconnect tries it takes, each opening the port again
};

class Reenumeration : public DownloadRun, public testing::WithParamInterface<AwayCase> {};

// A reader on a USB link of its own drops off the bus while it restarts; a missing
// device only means "not back yet" until the tries run out.
TEST_P(Reenumeration, DeviceGoneAfterTheFinishIsWaitedFor) {
    const AwayCase& c = GetParam();
    std::size_t opensBeforeFinish = 0;
    onRequest = [&](const Bytes& request) {
        if (request[0] == 0xF2) {
            opensBeforeFinish = link.initCalls.size();
        }
    };
    ASSERT_TRUE(Download("--start-in boot --reenumerate-ms " + std::to_string(c.awayMs)));
    EXPECT_EQ(link.initCalls.size() - opensBeforeFinish, static_cast<std::size_t>(c.opens));
    EXPECT_EQ(clock.TotalSlept(), kFixedWaits - 5500 + (c.opens - 1) * 500);
    EXPECT_EQ(view.statuses.back(), "다운로드 성공");
    EXPECT_TRUE(view.log.back().starts_with("Download OK(t:")) << view.log.back();
    EXPECT_EQ(view.readerInfo, "VAN=RIVI_RV00012345_C0100_R0100_RVQ-3000-KR1");
}

INSTANTIATE_TEST_SUITE_P(AwayFor, Reenumeration,
                         testing::Values(AwayCase{{"OneSecond"}, 1000, 1},
                                         AwayCase{{"EightSeconds"}, 8000, 3},
                                         AwayCase{{"TwelveSeconds"}, 12000, 11}),
                         testsupport::CaseName<AwayCase>);

} // namespace
} // namespace downloadtest
