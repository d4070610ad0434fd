#include "app/DownloadBusy.h"
#include "framework/UserInput.h"
#include "resources/ResourceIds.h"
#include "tests/download/DownloadFixture.h"
#include "tests/download/NamedCase.h"

#include <algorithm>
#include <filesystem>

namespace downloadtest {
namespace {

const Bytes kInfo = {0xFF, 0x0C};
const Bytes kVersion = {0xFF, 0x04};
const Bytes kMsr = {0xFF, 0x97};
const Bytes kVersion16 = {0x16};
const Bytes kBlock = {0xF1};
const Bytes kFinish = {0xF2};

constexpr char kWarning[] = "다운로드 성공 메세지가 나타나기 이전에 장치를 분리할 경우\n"
                            "단말기가 정상 동작하지 않을 수 있습니다.";

// Fixed waits of a download from application firmware: 100 before the first version
// query, 5 x 100 and 5000 in the authentication, 100 after the boot-loader probe, 100
// before the reopen, 100 before the load, 30 before the finish, 7000 for the restart.
constexpr int kApplicationWaitsMs = 100 + 500 + 5000 + 100 + 100 + 100 + 30 + 7000;
// From the boot loader the authentication and its waits are skipped.
constexpr int kBootLoaderWaitsMs = kApplicationWaitsMs - 500 - 5000;

std::string FileName(const std::string& version = kFileVersion) {
    return std::string("MakeEncryptFW_RIVI_OIL-") + kModel + "-" + version + ".bin";
}

// The block frames expected for image: 0, 256, ..., total, padded with FF.
std::vector<Bytes> ExpectedBlocks(const Bytes& image) {
    const std::size_t total = (image.size() + 255) / 256 * 256;
    std::vector<Bytes> blocks;
    for (std::size_t offset = 0; offset <= total; offset += 256) {
        Bytes frame = {0xF1, static_cast<std::uint8_t>(offset >> 16),
                       static_cast<std::uint8_t>(offset >> 8), static_cast<std::uint8_t>(offset)};
        for (std::size_t i = offset; i < offset + 256; ++i) {
            frame.push_back(i < image.size() ? image[i] : 0xFF);
        }
        blocks.push_back(frame);
    }
    return blocks;
}

bool NoticeHidden(CBrimletDlg& dialog) {
    return dialog.noticeDialog && !dialog.noticeDialog->IsWindowVisible();
}

TEST_F(DownloadRun, FromApplicationFirmwareEveryFrameInOrder) {
    StartReader(ApplicationReader());
    const Bytes image = SampleImage(1000);
    AddFirmwareFile(image);
    Download();

    const std::vector<Bytes> wire = Requests();
    std::vector<Bytes> expectedStart = {kInfo, kVersion, kMsr,
                                        Concat({{0xFF, 0x08}, BuiltInDownloadKey()})};
    ASSERT_GE(wire.size(), 7u);
    for (std::size_t i = 0; i < expectedStart.size(); ++i) {
        EXPECT_EQ(wire[i], expectedStart[i]) << "request " << i;
    }
    EXPECT_EQ(wire[4], (Bytes{0xFF, 0x09, 0x01}));
    ASSERT_EQ(wire[5].size(), 43u);
    EXPECT_EQ(Bytes(wire[5].begin(), wire[5].begin() + 3), (Bytes{0xFF, 0x09, 0x02}));
    ASSERT_EQ(wire[6].size(), 59u);
    EXPECT_EQ(Bytes(wire[6].begin(), wire[6].begin() + 3), (Bytes{0xFF, 0x09, 0x03}));

    std::vector<Bytes> expectedRest = {kMsr, kVersion16, kVersion16,
                                       Concat({{0x8E}, BuiltInKeyProof()})};
    const std::vector<Bytes> blocks = ExpectedBlocks(image);
    expectedRest.insert(expectedRest.end(), blocks.begin(), blocks.end());
    expectedRest.push_back({0xF2, 0x00});
    expectedRest.push_back(kVersion);
    expectedRest.push_back(kInfo);
    EXPECT_EQ(std::vector<Bytes>(wire.begin() + 7, wire.end()), expectedRest);

    EXPECT_EQ(Status(), "다운로드 성공");
    EXPECT_EQ(NoticeText(), "다운로드가 완료되었습니다.");
    EXPECT_TRUE(NoticeHidden(dialog)) << "the success timer hides the notice";
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(dialog.readerInfoLine.GetWindowText(),
              "VAN=RIVI_RV00012345_C0100_R0100_RVQ-3000-KR1");

    const std::vector<std::string> expectedLog = {
        "장비 확인 중...",
        "COM231 => 장비 정보 : VAN=RIVI_RV00012345_C0100_R0100_RVQ-3000-KR1",
        "전송할 파일명 : " + FileName(),
        "FW 버전 확인 중...",
        "Version : KRVQ-3000-KR1_150803",
        "FW 버전 확인 중...",
        "Offkey 확인 중...",
        "<= 00 ",
        "리더기 인증 확인중(1)...",
        "리더기 인증 확인중(2)...",
        "리더기 인증 확인중(3)...",
        "FW 버전 확인 중...",
        "FW 버전 확인 중...",
        "Version : DBIOS_200101",
        "FW 버전 확인 중...",
        "Version : DBIOS_200101",
        "바이오스 인증 확인중...",
        "Download Start",
        "FW 버전 확인 중...",
        "Version : KRVQ-3000-KR1_160101",
        "Download OK(t:" + std::to_string(kApplicationWaitsMs) + ")",
    };
    EXPECT_EQ(LogLines(), expectedLog);
    EXPECT_EQ(dialog.logList.GetCurSel(), dialog.logList.GetCount() - 1);
}

TEST_F(DownloadRun, FromBootLoaderWithTheTypedModelName) {
    StartReader(BootLoaderReader());
    dialog.modelNameField.SetWindowText(std::string("  ") + kModel + " ");
    const Bytes image = SampleImage(512);
    AddFirmwareFile(image);
    Download();

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "리더기명 확인");
    EXPECT_EQ(boxes[0].buttons, MB_OKCANCEL);

    std::vector<Bytes> expected = {kInfo,      kVersion,   kMsr,
                                   kVersion16, kVersion16, Concat({{0x8E}, BuiltInKeyProof()})};
    const std::vector<Bytes> blocks = ExpectedBlocks(image);
    expected.insert(expected.end(), blocks.begin(), blocks.end());
    expected.push_back({0xF2, 0x00});
    expected.push_back(kVersion);
    expected.push_back(kInfo);
    EXPECT_EQ(Requests(), expected);

    EXPECT_EQ(Status(), "다운로드 성공");
    EXPECT_EQ(LogLines().back(), "Download OK(t:" + std::to_string(kBootLoaderWaitsMs) + ")");
    EXPECT_EQ(NoticeText(), "다운로드가 완료되었습니다.");
}

struct ImageCase : NamedCase {
    std::size_t size;
    Bytes lastBlockAddress;
    Bytes finish;
    std::string counter;
    int total;
};

class ImageSizes : public DownloadRun, public testing::WithParamInterface<ImageCase> {};

TEST_P(ImageSizes, BlocksFillAndFinishOnTheWire) {
    const ImageCase& c = GetParam();
    StartReader(BootLoaderReader());
    dialog.modelNameField.SetWindowText(kModel);
    const Bytes image = SampleImage(c.size);
    AddFirmwareFile(image);
    Download();

    EXPECT_EQ(RequestsStartingWith(kBlock), ExpectedBlocks(image));
    const std::vector<Bytes> blocks = RequestsStartingWith(kBlock);
    ASSERT_FALSE(blocks.empty());
    EXPECT_EQ(Bytes(blocks.back().begin() + 1, blocks.back().begin() + 4), c.lastBlockAddress);
    EXPECT_EQ(RequestsStartingWith(kFinish), std::vector<Bytes>{c.finish});
    EXPECT_EQ(dialog.progressCounter.GetWindowText(), c.counter);
    int low = -1, high = -1;
    dialog.progressBar.GetRange(low, high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, c.total);
    EXPECT_EQ(dialog.progressBar.GetPos(), c.total) << "past the range shows full";
    EXPECT_EQ(Status(), "다운로드 성공");
}

INSTANTIATE_TEST_SUITE_P(
    Files, ImageSizes,
    testing::Values(
        ImageCase{"Bytes1000", 1000, {0x00, 0x04, 0x00}, {0xF2, 0x00}, " 400/400", 1024},
        ImageCase{"Bytes512", 512, {0x00, 0x02, 0x00}, {0xF2, 0x00}, " 200/200", 512},
        ImageCase{"Bytes70000", 70000, {0x01, 0x12, 0x00}, {0xF2, 0x01}, " 11200/11200", 70144}),
    CaseName<ImageCase>);

TEST_F(DownloadRun, StartShowsTheWarningWithoutItsButton) {
    StartReader(BootLoaderReader());
    dialog.modelNameField.SetWindowText(kModel);
    AddFirmwareFile(SampleImage(300));
    dialog.statusLine.SetWindowText("이전 결과");
    dialog.transferButton.Click();
    // The worker needs the user-interface thread for its first control update, so the
    // state right after the press is still the start state.
    EXPECT_EQ(dialog.noticeMode, 1);
    EXPECT_EQ(downloadBusy.load(), 1);
    EXPECT_EQ(NoticeText(), kWarning);
    EXPECT_TRUE(dialog.noticeDialog->IsWindowVisible());
    EXPECT_FALSE(dialog.noticeDialog->GetDlgItem(IDC_NOTICE_OK_BUTTON)->IsWindowVisible());
    EXPECT_FALSE(dialog.GetDlgItem(IDC_TRANSFER_BUTTON)->IsWindowEnabled());
    EXPECT_EQ(Status(), " ");
    ASSERT_TRUE(ProcessEventsUntil([] { return downloadBusy.load() == 0; }, 60000));
}

TEST_F(DownloadRun, PressWhileBusyChangesNothing) {
    downloadBusy = 1;
    dialog.statusLine.SetWindowText("진행 중");
    dialog.transferButton.Click();
    EXPECT_EQ(Status(), "진행 중");
    EXPECT_EQ(dialog.noticeDialog, nullptr);
    EXPECT_EQ(dialog.noticeMode, 0);
    EXPECT_TRUE(dialog.GetDlgItem(IDC_TRANSFER_BUTTON)->IsWindowEnabled());
}

TEST_F(DownloadRun, SecondDownloadSendsTheSameProofAndBlocks) {
    StartReader(BootLoaderReader());
    dialog.modelNameField.SetWindowText(kModel);
    const Bytes image = SampleImage(700);
    AddFirmwareFile(image);
    Download();
    ASSERT_EQ(Status(), "다운로드 성공");

    // The flashed reader now runs its application firmware: this time it is
    // authenticated first.
    Download();
    EXPECT_EQ(Status(), "다운로드 성공");
    const std::vector<Bytes> proofs = RequestsStartingWith({0x8E});
    ASSERT_EQ(proofs.size(), 2u);
    EXPECT_EQ(proofs[0], proofs[1]) << "no random value enters the proof";
    const std::vector<Bytes> blocks = ExpectedBlocks(image);
    std::vector<Bytes> twice = blocks;
    twice.insert(twice.end(), blocks.begin(), blocks.end());
    EXPECT_EQ(RequestsStartingWith(kBlock), twice) << "the image is loaded again";
    EXPECT_EQ(RequestsStartingWith({0xFF, 0x09, 0x03}).size(), 1u);
}

TEST_F(DownloadRun, FailingBootLoaderProbeDoesNotStopTheDownload) {
    sim::ReaderConfig config = BootLoaderReader();
    config.faults.link.push_back({sim::LinkFaultKind::Nak, sim::Command::Query16, 1, {}});
    StartReader(config);
    dialog.modelNameField.SetWindowText(kModel);
    AddFirmwareFile(SampleImage(300));
    Download();
    EXPECT_EQ(RequestsStartingWith(kVersion16).size(), 2u);
    EXPECT_EQ(Status(), "다운로드 성공");
}

TEST_F(DownloadRun, ProofRefusedOnceHandsTheKeyOverAndProvesAgain) {
    sim::ReaderConfig config = BootLoaderReader();
    config.faults.refuseProof = 1;
    StartReader(config);
    dialog.modelNameField.SetWindowText(kModel);
    AddFirmwareFile(SampleImage(300));
    Download();

    const Bytes proof = Concat({{0x8E}, BuiltInKeyProof()});
    const std::vector<Bytes> wire = Requests();
    const auto first = std::find(wire.begin(), wire.end(), proof);
    ASSERT_NE(first, wire.end());
    ASSERT_GE(wire.end() - first, 3);
    EXPECT_EQ(first[1], Concat({{0x92}, BuiltInDownloadKey()}));
    EXPECT_EQ(first[2], proof) << "the second proof is the same frame";
    EXPECT_EQ(first[3][0], 0xF1);
    EXPECT_EQ(Status(), "다운로드 성공");
    const std::vector<std::string> log = LogLines();
    EXPECT_NE(std::find(log.begin(), log.end(), "RECV ERR:1005 [CMD:8E]"), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "<= 00 "), log.end());
}

TEST_F(DownloadRun, BlockAcceptedAtItsSixthTry) {
    sim::ReaderConfig config = BootLoaderReader();
    config.faults.refuseBlocks = sim::BlockRefusal{256, 5, sim::Refusal::CodeFF};
    StartReader(config);
    dialog.modelNameField.SetWindowText(kModel);
    const Bytes image = SampleImage(1000);
    AddFirmwareFile(image);
    Download();

    const Bytes secondBlock = ExpectedBlocks(image)[1];
    const std::vector<Bytes> blocks = RequestsStartingWith(kBlock);
    EXPECT_EQ(std::count(blocks.begin(), blocks.end(), secondBlock), 6);
    EXPECT_EQ(blocks.size(), ExpectedBlocks(image).size() + 5);
    EXPECT_EQ(Status(), "다운로드 성공");
}

TEST_F(DownloadRun, FinishAcceptedAtItsFifthTry) {
    sim::ReaderConfig config = BootLoaderReader();
    config.faults.refuseFinish = 4;
    StartReader(config);
    dialog.modelNameField.SetWindowText(kModel);
    AddFirmwareFile(SampleImage(1000));
    Download();
    EXPECT_EQ(RequestsStartingWith(kFinish), std::vector<Bytes>(5, Bytes{0xF2, 0x00}));
    EXPECT_EQ(Status(), "다운로드 성공");
}

TEST_F(DownloadRun, VersionReadAtTheLastReconnectAttempt) {
    sim::ReaderConfig config = BootLoaderReader();
    // The boot loader does not know FF 04 at the first query; the restarted
    // firmware stays mute to it for 15 attempts.
    config.faults.link.push_back({sim::LinkFaultKind::Nak, sim::Command::Version, 16, {}});
    StartReader(config);
    dialog.modelNameField.SetWindowText(kModel);
    AddFirmwareFile(SampleImage(300));
    Download();

    const std::vector<Bytes> wire = Requests();
    const auto finish = std::find(wire.begin(), wire.end(), Bytes{0xF2, 0x00});
    ASSERT_NE(finish, wire.end());
    EXPECT_EQ(std::count(finish, wire.end(), kVersion), 16);
    EXPECT_EQ(Status(), "다운로드 성공");
    EXPECT_EQ(LogLines().back(),
              "Download OK(t:" + std::to_string(kBootLoaderWaitsMs + 15 * 500) + ")");
}

} // namespace
} // namespace downloadtest
