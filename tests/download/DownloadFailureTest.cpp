#include "app/DownloadBusy.h"
#include "readerlink/VexilonDll.h"
#include "resources/ResourceIds.h"
#include "tests/download/DownloadFixture.h"
#include "tests/download/NamedCase.h"
#include "tests/reader/PrivateProgramFolder.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>

namespace downloadtest {
namespace {

constexpr char kWarning[] = "다운로드 성공 메세지가 나타나기 이전에 장치를 분리할 경우\n"
                            "단말기가 정상 동작하지 않을 수 있습니다.";
constexpr char kFailed[] = "다운로드 실패";
constexpr char kKeyData[] = "Offline F/W Download Key 데이터를 확인하십시오.";
constexpr char kMismatch[] = "FW 업그레이드가 실패 했거나 FW 파일의 버전이 잘못된 파일입니다.\r\n"
                             "관리자에게 문의하세요.";

enum class FirmwareFile { None, Sample, Empty, SixteenMiB };

struct FailureCase : NamedCase {
    sim::ReaderConfig (*reader)();
    FirmwareFile file;
    std::string notice;
    std::string status;
    std::vector<std::string> boxes;
    Bytes lastRequest; // prefix of the last request the reader received
    Bytes counted;     // prefix of requests counted over the whole download
    long count;
    std::string logLine; // a line the log must hold; empty: none asked for
};

class Failure : public DownloadRun, public testing::WithParamInterface<FailureCase> {};

TEST_P(Failure, EndsWithItsTextAndSendsNothingFurther) {
    const FailureCase& c = GetParam();
    sim::ReaderConfig config = c.reader();
    StartReader(config);
    if (config.startIn == sim::Firmware::BootLoader) {
        dialog.modelNameField.SetWindowText(kModel);
    }
    switch (c.file) {
    case FirmwareFile::None:
        break;
    case FirmwareFile::Sample:
        AddFirmwareFile(SampleImage(1000));
        break;
    case FirmwareFile::Empty:
        AddFirmwareFile({});
        break;
    case FirmwareFile::SixteenMiB:
        AddFirmwareFile(Bytes(std::size_t{1} << 24, 0x5A));
        break;
    }
    Download();

    EXPECT_EQ(NoticeText(), c.notice);
    EXPECT_EQ(Status(), c.status);
    std::vector<std::string> texts = BoxTexts();
    if (config.startIn == sim::Firmware::BootLoader && !texts.empty() &&
        boxes.front().caption == "리더기명 확인") {
        texts.erase(texts.begin());
    }
    EXPECT_EQ(texts, c.boxes);

    const std::vector<Bytes> wire = Requests();
    ASSERT_FALSE(wire.empty());
    const Bytes& last = wire.back();
    ASSERT_GE(last.size(), c.lastRequest.size());
    EXPECT_TRUE(std::equal(c.lastRequest.begin(), c.lastRequest.end(), last.begin()))
        << "last request starts with " << std::hex << int(last[0]);
    EXPECT_EQ(static_cast<long>(RequestsStartingWith(c.counted).size()), c.count);

    const std::vector<std::string> log = LogLines();
    if (!c.logLine.empty()) {
        EXPECT_NE(std::find(log.begin(), log.end(), c.logLine), log.end()) << c.logLine;
    }
    EXPECT_TRUE(std::none_of(log.begin(), log.end(), [](const std::string& line) {
        return line.starts_with("Download OK");
    }));
    ASSERT_NE(dialog.noticeDialog, nullptr);
    EXPECT_TRUE(dialog.noticeDialog->GetDlgItem(IDC_NOTICE_OK_BUTTON)->IsWindowVisible())
        << "the failure timer shows the notice's button";
    EXPECT_EQ(dialog.reader.port, 0);
}

sim::ReaderConfig MsrNotAuthenticated() {
    sim::ReaderConfig config = ApplicationReader();
    config.faults.msrNotAuthenticated = true;
    return config;
}
sim::ReaderConfig MsrNotAuthenticatedVersionSilent() {
    sim::ReaderConfig config = MsrNotAuthenticated();
    config.faults.link.push_back({sim::LinkFaultKind::Nak, sim::Command::Version, 1, {}});
    return config;
}
sim::ReaderConfig StoreKeyRefused() {
    sim::ReaderConfig config = ApplicationReader();
    config.faults.link.push_back(
        {sim::LinkFaultKind::Nak, sim::Command::StoreKey, sim::kAlways, {}});
    return config;
}
template <int step> sim::ReaderConfig AuthStepRefused() {
    sim::ReaderConfig config = ApplicationReader();
    config.faults.refuseAuthStep = step;
    return config;
}
template <int step> sim::ReaderConfig AuthStepWrongMac() {
    sim::ReaderConfig config = ApplicationReader();
    config.faults.wrongMacStep = step;
    return config;
}
sim::ReaderConfig BootVersionRefused() {
    sim::ReaderConfig config = BootLoaderReader();
    config.faults.link.push_back({sim::LinkFaultKind::Nak, sim::Command::Query16, 2, {}});
    return config;
}
sim::ReaderConfig ProofAlwaysRefused() {
    sim::ReaderConfig config = BootLoaderReader();
    config.faults.refuseProof = sim::kAlways;
    return config;
}
sim::ReaderConfig HandOverRefused() {
    sim::ReaderConfig config = ProofAlwaysRefused();
    config.faults.link.push_back(
        {sim::LinkFaultKind::Nak, sim::Command::HandOverKey, sim::kAlways, {}});
    return config;
}
sim::ReaderConfig BlockAlwaysRefused() {
    sim::ReaderConfig config = BootLoaderReader();
    config.faults.refuseBlocks = sim::BlockRefusal{256, sim::kAlways, sim::Refusal::CodeFF};
    return config;
}
sim::ReaderConfig BlockAlwaysNaked() {
    sim::ReaderConfig config = BootLoaderReader();
    config.faults.refuseBlocks = sim::BlockRefusal{0, sim::kAlways, sim::Refusal::Nak};
    return config;
}
sim::ReaderConfig FinishRefusedFiveTimes() {
    sim::ReaderConfig config = BootLoaderReader();
    config.faults.refuseFinish = 5;
    return config;
}
sim::ReaderConfig VersionNeverAnswered() {
    sim::ReaderConfig config = BootLoaderReader();
    config.faults.link.push_back(
        {sim::LinkFaultKind::Nak, sim::Command::Version, sim::kAlways, {}});
    return config;
}
sim::ReaderConfig WrongVersionAfterFlash() {
    sim::ReaderConfig config = BootLoaderReader();
    config.faults.versionAfterFlash = "999999";
    return config;
}

const Bytes kStep1 = {0xFF, 0x09, 0x01};
const Bytes kStep2 = {0xFF, 0x09, 0x02};
const Bytes kStep3 = {0xFF, 0x09, 0x03};

INSTANTIATE_TEST_SUITE_P(
    Steps, Failure,
    testing::Values(FailureCase{"NoFirmwareFile",
                                ApplicationReader,
                                FirmwareFile::None,
                                "FW File을 확인하십시오.",
                                kFailed,
                                {},
                                {0xFF, 0x0C},
                                {0xFF, 0x04},
                                0,
                                ""},
                    FailureCase{"MsrBeforeAuthentication",
                                MsrNotAuthenticated,
                                FirmwareFile::Sample,
                                kWarning,
                                " ",
                                {"MSR 인증 실패"},
                                {0xFF, 0x97},
                                {0xFF, 0x08},
                                0,
                                ""},
                    FailureCase{"MsrWithoutAuthentication",
                                MsrNotAuthenticatedVersionSilent,
                                FirmwareFile::Sample,
                                kWarning,
                                " ",
                                {"MSR 인증 실패"},
                                {0xFF, 0x97},
                                {0xFF, 0x97},
                                1,
                                ""},
                    FailureCase{"DownloadKeyRefused",
                                StoreKeyRefused,
                                FirmwareFile::Sample,
                                kKeyData,
                                kFailed,
                                {},
                                {0xFF, 0x08},
                                {0xFF, 0x09},
                                0,
                                "Failed to Read (3ED)"},
                    FailureCase{"Step1Refused",
                                AuthStepRefused<1>,
                                FirmwareFile::Sample,
                                "단말기의 Offline F/W Download Key를 확인하십시오.",
                                kFailed,
                                {},
                                kStep1,
                                kStep2,
                                0,
                                "리더기 인증 확인중(1)..."},
                    FailureCase{"Step1WrongMac",
                                AuthStepWrongMac<1>,
                                FirmwareFile::Sample,
                                "단말기의 Offline F/W Download Key를 확인하십시오.",
                                kFailed,
                                {},
                                kStep1,
                                kStep2,
                                0,
                                ""},
                    FailureCase{"Step2Refused",
                                AuthStepRefused<2>,
                                FirmwareFile::Sample,
                                "리더기 인증 실패",
                                kFailed,
                                {},
                                kStep2,
                                kStep3,
                                0,
                                "리더기 인증 확인중(2)..."},
                    FailureCase{"Step2WrongMac",
                                AuthStepWrongMac<2>,
                                FirmwareFile::Sample,
                                "리더기 인증 실패",
                                kFailed,
                                {},
                                kStep2,
                                kStep3,
                                0,
                                ""},
                    FailureCase{"Step3Refused",
                                AuthStepRefused<3>,
                                FirmwareFile::Sample,
                                "리더기 인증 실패",
                                kFailed,
                                {},
                                kStep3,
                                {0x8E},
                                0,
                                "리더기 인증 확인중(3)..."},
                    FailureCase{"BootLoaderVersionFails",
                                BootVersionRefused,
                                FirmwareFile::Sample,
                                "단말기 버전 조회 실패",
                                kFailed,
                                {},
                                {0x16},
                                {0x16},
                                2,
                                ""},
                    FailureCase{"ProofAlwaysRefused",
                                ProofAlwaysRefused,
                                FirmwareFile::Sample,
                                "인증 실패",
                                kFailed,
                                {},
                                {0x8E},
                                {0x8E},
                                2,
                                "RECV ERR:1005 [CMD:8E]"},
                    FailureCase{"KeyHandOverFails",
                                HandOverRefused,
                                FirmwareFile::Sample,
                                kKeyData,
                                kFailed,
                                {},
                                {0x92},
                                {0x8E},
                                1,
                                "RECV ERR:1005 [CMD:92]"},
                    FailureCase{"BlockRefusedSixTimes",
                                BlockAlwaysRefused,
                                FirmwareFile::Sample,
                                kFailed,
                                kFailed,
                                {},
                                {0xF1, 0x00, 0x01, 0x00},
                                {0xF1, 0x00, 0x01, 0x00},
                                6,
                                ""},
                    FailureCase{"BlockNakedSixTimes",
                                BlockAlwaysNaked,
                                FirmwareFile::Sample,
                                kFailed,
                                kFailed,
                                {},
                                {0xF1, 0x00, 0x00, 0x00},
                                {0xF1},
                                6,
                                "RECV ERR:1005 [CMD:F1]"},
                    FailureCase{"FinishRefusedFiveTimes",
                                FinishRefusedFiveTimes,
                                FirmwareFile::Sample,
                                kFailed,
                                kFailed,
                                {},
                                {0xF2, 0x00},
                                {0xF2},
                                5,
                                ""},
                    FailureCase{"RestartNeverAnswers",
                                VersionNeverAnswered,
                                FirmwareFile::Sample,
                                "버전 조회 실패",
                                kFailed,
                                {},
                                {0xFF, 0x04},
                                {0xFF, 0x04},
                                1 + 16,
                                ""},
                    FailureCase{"WrongVersionAfterRestart",
                                WrongVersionAfterFlash,
                                FirmwareFile::Sample,
                                "버전 조회 실패",
                                kFailed,
                                {},
                                {0xFF, 0x04},
                                {0xFF, 0x04},
                                1 + 1,
                                kMismatch},
                    FailureCase{"EmptyFile",
                                BootLoaderReader,
                                FirmwareFile::Empty,
                                kWarning,
                                kFailed,
                                {"File Error!! "},
                                {0x8E},
                                {0xF1},
                                0,
                                "Download Start"},
                    FailureCase{"SixteenMiBFile",
                                BootLoaderReader,
                                FirmwareFile::SixteenMiB,
                                kWarning,
                                kFailed,
                                {"File Error!! "},
                                {0x8E},
                                {0xF1},
                                0,
                                "Download Start"}),
    CaseName<FailureCase>);

TEST_F(DownloadRun, NoReaderOnThePort) {
    Download();
    EXPECT_TRUE(Requests().empty());
    EXPECT_EQ(Status(), kFailed);
    EXPECT_EQ(NoticeText(), "단말기 연결 확인 실패");
    const std::vector<std::string> log = LogLines();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2], "연결된 vizuz 보안 리더기가 없습니다.");
    EXPECT_EQ(log.back(),
              "보안 리더기가 연결되어 있으면 다른 프로그램에서 사용 중인지 확인해주세요.");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(DownloadRun, BootLoaderPortDoesNotReopen) {
    StartReader(BootLoaderReader());
    dialog.modelNameField.SetWindowText(kModel);
    AddFirmwareFile(SampleImage(1000));
    // The reader is unplugged while it answers the last version query: the port is
    // still open, but reopening finds no device.
    std::atomic<int> versionQueries{0};
    const std::filesystem::path link =
        PrivateProgramFolder() / "ports" / ("COM" + std::to_string(kPort));
    OnRequest([&](const Bytes& request) {
        if (request == Bytes{0x16} && ++versionQueries == 2) {
            std::filesystem::remove(link);
        }
    });
    Download();
    EXPECT_EQ(NoticeText(), "바이오스 연결 실패");
    EXPECT_EQ(Status(), kFailed);
    EXPECT_EQ(Requests().back(), Bytes{0x16});
}

TEST_F(DownloadRun, HexFileIsRefusedBeforeAnyBlock) {
    StartReader(BootLoaderReader());
    const std::filesystem::path bin = AddFirmwareFile(SampleImage(1000));
    const std::filesystem::path hex = programFolder / "RIVI_OIL" / "image.HEX";
    std::filesystem::copy_file(bin, hex);
    ASSERT_EQ(VQ_InitPort(kPort, 115200), kPort);
    dialog.reader.port = kPort;
    dialog.firmwareFileField.SetWindowText("  " + hex.string() + "\t");

    EXPECT_EQ(dialog.RunTransferPhase(), 0);
    EXPECT_EQ(BoxTexts(),
              (std::vector<std::string>{"bin 파일만 다운로드 가능합니다", "File Error!! "}));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].owner, nullptr) << "the application's box";
    EXPECT_EQ(boxes[1].owner, &dialog) << "owned by the main window";
    EXPECT_EQ(Status(), kFailed);
    EXPECT_TRUE(Requests().empty());
    EXPECT_EQ(dialog.firmwarePath, hex.string()) << "trimmed";
    EXPECT_EQ(LogLines().back(), "Download Start");
}

struct LoadCase : NamedCase {
    const char* fileName;
    std::size_t size; // kNoFile: there is no such file
    bool readOnly;
    std::int32_t result;
    std::vector<std::string> boxes;
};

constexpr std::size_t kNoFile = SIZE_MAX;

class ImageLoad : public DownloadRun, public testing::WithParamInterface<LoadCase> {};

TEST_P(ImageLoad, RefusesWhatCannotBeSent) {
    const LoadCase& c = GetParam();
    const std::filesystem::path path = programFolder / "RIVI_OIL" / c.fileName;
    if (c.size != kNoFile) {
        std::ofstream(path, std::ios::binary).close();
        std::filesystem::resize_file(path, c.size);
    }
    if (c.readOnly) {
        std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                               std::filesystem::perms::group_read);
    }
    dialog.firmwarePath = path.string();
    EXPECT_EQ(dialog.LoadFirmwareImage(), c.result);
    EXPECT_EQ(BoxTexts(), c.boxes);
    if (c.boxes.empty()) {
        EXPECT_EQ(dialog.imageBuffer != nullptr, c.result > 0);
    }
}

TEST_F(DownloadRun, LoadHoldsTheFileAndReplacesTheLastImage) {
    const Bytes first = SampleImage(900);
    const Bytes second = SampleImage(300, "170101");
    dialog.firmwarePath = AddFirmwareFile(first).string();
    ASSERT_EQ(dialog.LoadFirmwareImage(), 900);
    EXPECT_TRUE(std::equal(first.begin(), first.end(), dialog.imageBuffer.get()));
    dialog.firmwarePath = AddFirmwareFile(second, "170101").string();
    ASSERT_EQ(dialog.LoadFirmwareImage(), 300);
    EXPECT_TRUE(std::equal(second.begin(), second.end(), dialog.imageBuffer.get()));
    dialog.firmwarePath = (programFolder / "RIVI_OIL" / "missing.bin").string();
    EXPECT_EQ(dialog.LoadFirmwareImage(), -1);
    EXPECT_EQ(dialog.imageBuffer, nullptr) << "a failed load keeps no stale image";
}

INSTANTIATE_TEST_SUITE_P(
    Files, ImageLoad,
    testing::Values(
        LoadCase{"Bin", "a.bin", 1000, false, 1000, {}},
        LoadCase{"ReadOnly", "a.bin", 1000, true, 1000, {}},
        LoadCase{"NoExtension", "image", 300, false, 300, {}},
        LoadCase{"OtherExtension", "a.dat", 7, false, 7, {}},
        LoadCase{"LargestImage", "a.bin", (std::size_t{1} << 24) - 256, false, (1 << 24) - 256, {}},
        LoadCase{"ExtraBlockWouldWrap", "a.bin", (std::size_t{1} << 24) - 255, false, -1, {}},
        LoadCase{"JustBelowSixteenMiB", "a.bin", (std::size_t{1} << 24) - 1, false, -1, {}},
        LoadCase{"SixteenMiB", "a.bin", std::size_t{1} << 24, false, -1, {}},
        LoadCase{"Empty", "a.bin", 0, false, -1, {}},
        LoadCase{"Missing", "gone.bin", kNoFile, false, -1, {}},
        LoadCase{"HexLower", "a.hex", 100, false, -1, {"bin 파일만 다운로드 가능합니다"}},
        LoadCase{"HexMixed", "a.hEx", 100, false, -1, {"bin 파일만 다운로드 가능합니다"}},
        LoadCase{"HexEmpty", "a.HEX", 0, false, -1, {"bin 파일만 다운로드 가능합니다"}}),
    CaseName<LoadCase>);

} // namespace
} // namespace downloadtest
