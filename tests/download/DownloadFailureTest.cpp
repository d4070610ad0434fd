#include "sim/SampleImage.h"
#include "tests/download/DownloadRun.h"
#include "tests/support/NamedCase.h"

#include <algorithm>

namespace downloadtest {
namespace {

constexpr char kFailed[] = "다운로드 실패";
constexpr char kKeyData[] = "Offline F/W Download Key 데이터를 확인하십시오.";

enum class Setup { Normal, NoReader, FileCheckFails, UnplugBeforeReopen, HexFile, EmptyFile };

struct FailureCase : testsupport::NamedCase {
    void (*reader)(sim::ReaderConfig&);
    Setup setup;
    Lines notices;
    const char* status; // the status line at the end; empty: never set
    Lines messages, windowMessages;
    Bytes lastRequest; // how the last request starts; empty: nothing was sent
};

class Failure : public DownloadRun, public testing::WithParamInterface<FailureCase> {};

TEST_P(Failure, EndsWithItsTextAndSendsNothingFurther) {
    const FailureCase& c = GetParam();
    c.reader(config);
    int versions16 = 0;
    switch (c.setup) {
    case Setup::NoReader:
        link.plugged.clear();
        break;
    case Setup::FileCheckFails:
        view.firmwareReads = false;
        break;
    case Setup::UnplugBeforeReopen:
        onRequest = [&](const Bytes& request) {
            if (request == Bytes{0x16} && ++versions16 == 2) {
                link.plugged.clear();
            }
        };
        break;
    case Setup::HexFile:
        UseFirmware(image, "image.HEX");
        break;
    case Setup::EmptyFile:
        UseFirmware({});
        break;
    case Setup::Normal:
        break;
    }
    EXPECT_FALSE(Download());

    EXPECT_EQ(view.notices, c.notices);
    EXPECT_EQ(view.statuses.empty() ? "" : view.statuses.back(), std::string(c.status));
    EXPECT_EQ(view.messages, c.messages);
    EXPECT_EQ(view.windowMessages, c.windowMessages);
    if (c.lastRequest.empty()) {
        EXPECT_TRUE(link.delivered.empty());
        EXPECT_EQ(
            Lines(view.log.end() - 2, view.log.end()),
            (Lines{"연결된 vizuz 보안 리더기가 없습니다.",
                   "보안 리더기가 연결되어 있으면 다른 프로그램에서 사용 중인지 확인해주세요."}));
    } else {
        ASSERT_FALSE(link.delivered.empty());
        const Bytes& last = link.delivered.back();
        EXPECT_TRUE(last.size() >= c.lastRequest.size() &&
                    std::equal(c.lastRequest.begin(), c.lastRequest.end(), last.begin()))
            << "the last request starts with " << std::hex << int(last[0]);
    }
    EXPECT_TRUE(std::none_of(view.log.begin(), view.log.end(), [](const std::string& line) {
        return line.starts_with("Download OK");
    }));
}

void Application(sim::ReaderConfig&) {}
void BootLoader(sim::ReaderConfig& config) {
    config.startIn = sim::Firmware::BootLoader;
}
void Nak(sim::ReaderConfig& config, sim::Command command, int times) {
    config.faults.link.push_back({sim::LinkFaultKind::Nak, command, times, {}});
}

INSTANTIATE_TEST_SUITE_P(
    Steps, Failure,
    testing::Values(FailureCase{{"NoReader"},
                                Application,
                                Setup::NoReader,
                                {"단말기 연결 확인 실패"},
                                kFailed,
                                {},
                                {},
                                {}},
                    FailureCase{{"FirmwareFile"},
                                Application,
                                Setup::FileCheckFails,
                                {"FW File을 확인하십시오."},
                                kFailed,
                                {},
                                {},
                                {0xFF, 0x0C}},
                    FailureCase{
                        {"MsrBeforeAuthentication"},
                        [](sim::ReaderConfig& config) { config.faults.msrNotAuthenticated = true; },
                        Setup::Normal,
                        {},
                        "",
                        {"MSR 인증 실패"},
                        {},
                        {0xFF, 0x97}},
                    FailureCase{{"MsrWithoutAuthentication"},
                                [](sim::ReaderConfig& config) {
                                    config.faults.msrNotAuthenticated = true;
                                    Nak(config, sim::Command::Version, 1);
                                },
                                Setup::Normal,
                                {},
                                "",
                                {"MSR 인증 실패"},
                                {},
                                {0xFF, 0x97}},
                    FailureCase{{"DownloadKeyRefused"},
                                [](sim::ReaderConfig& config) {
                                    Nak(config, sim::Command::StoreKey, sim::kAlways);
                                },
                                Setup::Normal,
                                {kKeyData},
                                kFailed,
                                {},
                                {},
                                {0xFF, 0x08}},
                    FailureCase{{"Step1Refused"},
                                [](sim::ReaderConfig& config) { config.faults.refuseAuthStep = 1; },
                                Setup::Normal,
                                {"단말기의 Offline F/W Download Key를 확인하십시오."},
                                kFailed,
                                {},
                                {},
                                {0xFF, 0x09, 0x01}},
                    FailureCase{{"Step2WrongMac"},
                                [](sim::ReaderConfig& config) { config.faults.wrongMacStep = 2; },
                                Setup::Normal,
                                {"리더기 인증 실패"},
                                kFailed,
                                {},
                                {},
                                {0xFF, 0x09, 0x02}},
                    FailureCase{{"Step3Refused"},
                                [](sim::ReaderConfig& config) { config.faults.refuseAuthStep = 3; },
                                Setup::Normal,
                                {"리더기 인증 실패"},
                                kFailed,
                                {},
                                {},
                                {0xFF, 0x09, 0x03}},
                    FailureCase{{"BootVersionRefused"},
                                [](sim::ReaderConfig& config) {
                                    BootLoader(config);
                                    Nak(config, sim::Command::Query16, 2);
                                },
                                Setup::Normal,
                                {"단말기 버전 조회 실패"},
                                kFailed,
                                {},
                                {},
                                {0x16}},
                    FailureCase{{"BootLoaderPortNotReopened"},
                                BootLoader,
                                Setup::UnplugBeforeReopen,
                                {"바이오스 연결 실패"},
                                kFailed,
                                {},
                                {},
                                {0x16}},
                    FailureCase{{"KeyHandOverRefused"},
                                [](sim::ReaderConfig& config) {
                                    BootLoader(config);
                                    config.faults.refuseProof = sim::kAlways;
                                    Nak(config, sim::Command::HandOverKey, sim::kAlways);
                                },
                                Setup::Normal,
                                {kKeyData},
                                kFailed,
                                {},
                                {},
                                {0x92}},
                    FailureCase{{"ProofRefusedTwice"},
                                [](sim::ReaderConfig& config) {
                                    BootLoader(config);
                                    config.faults.refuseProof = sim::kAlways;
                                },
                                Setup::Normal,
                                {"인증 실패"},
                                kFailed,
                                {},
                                {},
                                {0x8E}},
                    FailureCase{{"HexFile"},
                                BootLoader,
                                Setup::HexFile,
                                {},
                                kFailed,
                                {"bin 파일만 다운로드 가능합니다"},
                                {"File Error!! "},
                                {0x8E}},
                    FailureCase{{"EmptyFile"},
                                BootLoader,
                                Setup::EmptyFile,
                                {},
                                kFailed,
                                {},
                                {"File Error!! "},
                                {0x8E}},
                    FailureCase{{"BlockRefusedSixTimes"},
                                [](sim::ReaderConfig& config) {
                                    BootLoader(config);
                                    config.faults.refuseBlocks =
                                        sim::BlockRefusal{256, sim::kAlways, sim::Refusal::Nak};
                                },
                                Setup::Normal,
                                {kFailed},
                                kFailed,
                                {},
                                {},
                                {0xF1, 0x00, 0x01, 0x00}},
                    FailureCase{{"FinishRefusedFiveTimes"},
                                [](sim::ReaderConfig& config) {
                                    BootLoader(config);
                                    config.faults.refuseFinish = 5;
                                },
                                Setup::Normal,
                                {kFailed},
                                kFailed,
                                {},
                                {},
                                {0xF2}},
                    FailureCase{{"OtherVersionAfterTheFlash"},
                                [](sim::ReaderConfig& config) {
                                    BootLoader(config);
                                    config.faults.versionAfterFlash = "999999";
                                },
                                Setup::Normal,
                                {"FW 업그레이드가 실패 했거나 FW 파일의 버전이 잘못된 "
                                 "파일입니다.\r\n관리자에게 문의하세요.",
                                 "버전 조회 실패"},
                                kFailed,
                                {},
                                {},
                                {0xFF, 0x04}}),
    testsupport::CaseName<FailureCase>);

TEST_F(DownloadRun, RefusedBlockTriesAndFinishTriesAreCounted) {
    config.startIn = sim::Firmware::BootLoader;
    config.faults.refuseBlocks = sim::BlockRefusal{256, sim::kAlways, sim::Refusal::CodeFF};
    EXPECT_FALSE(Download());
    EXPECT_EQ(link.Requests({0xF1, 0x00, 0x01, 0x00}).size(), 6u);
    EXPECT_EQ(link.Requests({0xF2}).size(), 0u);
    EXPECT_EQ(view.log.back(), "Download Start") << "an accepted or refused reply logs nothing";
}

} // namespace
} // namespace downloadtest
