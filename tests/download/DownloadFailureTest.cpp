#include "download/BlockTransfer.h"
#include "tests/download/DownloadRun.h"
#include "tests/support/NamedCase.h"

#include <algorithm>
#include <filesystem>

namespace downloadtest {
namespace {

constexpr char kFailed[] = "다운로드 실패";
constexpr char kKeyData[] = "notice: Offline F/W Download Key 데이터를 확인하십시오.";
constexpr char kBoot[] = "--start-in boot ";

enum class Setup {
    Normal,
    NoReader,
    FolderAsFile,
    DeviceAsFile,
    UnplugBeforeReopen,
    HoldBeforeReopen,
    HexFile,
    EmptyFile,
    OversizeFile
};

// One row per failure text. status: at the end, empty if never set; lastRequest: how
// the last request starts, empty if nothing was sent; outcome: what the view is told.
struct FailureCase : testsupport::NamedCase {
    const char* reader;
    Setup setup;
    Lines shown;
    const char* status;
    Bytes lastRequest;
    Outcome outcome;
};

class Failure : public DownloadRun, public testing::WithParamInterface<FailureCase> {};

TEST_P(Failure, EndsWithItsTextAndSendsNothingFurther) {
    const FailureCase& c = GetParam();
    int versions16 = 0;
    if (c.setup == Setup::NoReader) {
        link.plugged.clear();
    } else if (c.setup == Setup::FolderAsFile) {
        view.firmwareField = std::filesystem::path(view.firmwareField).parent_path().string();
    } else if (c.setup == Setup::DeviceAsFile) {
        view.firmwareField = "/dev/null"; // reads to its end, but is no firmware
    } else if (c.setup == Setup::UnplugBeforeReopen || c.setup == Setup::HoldBeforeReopen) {
        onRequest = [&](const Bytes& request) {
            if (request != Bytes{0x16} || ++versions16 != 2) {
                return;
            }
            if (c.setup == Setup::HoldBeforeReopen) {
                link.busy.insert(kPort); // another program takes the port
            } else {
                link.plugged.clear();
            }
        };
    } else if (c.setup == Setup::HexFile) {
        UseFirmware(image, "image.HEX");
    } else if (c.setup == Setup::EmptyFile) {
        UseFirmware({});
    } else if (c.setup == Setup::OversizeFile) {
        UseFirmware({});
        std::filesystem::resize_file(view.firmwareField.substr(1, view.firmwareField.size() - 2),
                                     kLargestImage + 1);
    }
    EXPECT_FALSE(Download(c.reader));

    std::erase_if(view.shown, [](const std::string& text) { return text.starts_with("question"); });
    EXPECT_EQ(view.shown, c.shown);
    EXPECT_EQ(view.statuses.empty() ? "" : view.statuses.back(), std::string(c.status));
    const Bytes last = link.delivered.empty() ? Bytes{} : link.delivered.back();
    EXPECT_TRUE(last.size() >= c.lastRequest.size() &&
                std::equal(c.lastRequest.begin(), c.lastRequest.end(), last.begin()));
    EXPECT_EQ(last.empty(), c.lastRequest.empty());
    EXPECT_EQ(view.outcome, c.outcome);
    EXPECT_TRUE(std::none_of(view.log.begin(), view.log.end(), [](const std::string& line) {
        return line.starts_with("Download OK");
    }));
}

// A row per failure, its fields in the order of FailureCase.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Steps, Failure, testing::Values(
    FailureCase{{"NoReader"}, "", Setup::NoReader,
        {"notice: 단말기 연결 확인 실패"}, kFailed, {}, Outcome::NoReader},
    FailureCase{{"FirmwareFileIsAFolder"}, "", Setup::FolderAsFile,
        {"notice: FW File을 확인하십시오."}, kFailed, {0xFF, 0x0C}, Outcome::FirmwareFileMissing},
    FailureCase{{"FirmwareFileIsADevice"}, "", Setup::DeviceAsFile,
        {"notice: FW File을 확인하십시오."}, kFailed, {0xFF, 0x0C}, Outcome::FirmwareFileMissing},
    FailureCase{{"MsrBeforeAuthentication"}, "--msr-not-authenticated", Setup::Normal,
        {"box: MSR 인증 실패"}, "", {0xFF, 0x97}, Outcome::MsrNotAuthenticated},
    FailureCase{{"MsrWithoutAuthentication"}, "--msr-not-authenticated --nak FF04*1", Setup::Normal,
        {"box: MSR 인증 실패"}, "", {0xFF, 0x97}, Outcome::MsrNotAuthenticated},
    FailureCase{{"DownloadKeyRefused"}, "--nak FF08", Setup::Normal,
        {kKeyData}, kFailed, {0xFF, 0x08}, Outcome::DownloadKeyRefused},
    FailureCase{{"Step1Refused"}, "--refuse-auth 1", Setup::Normal,
        {"notice: 단말기의 Offline F/W Download Key를 확인하십시오."}, kFailed, {0xFF, 0x09, 0x01}, Outcome::AuthenticationFailed},
    FailureCase{{"Step2WrongMac"}, "--wrong-mac 2", Setup::Normal,
        {"notice: 리더기 인증 실패"}, kFailed, {0xFF, 0x09, 0x02}, Outcome::AuthenticationFailed},
    FailureCase{{"Step3Refused"}, "--refuse-auth 3", Setup::Normal,
        {"notice: 리더기 인증 실패"}, kFailed, {0xFF, 0x09, 0x03}, Outcome::AuthenticationFailed},
    FailureCase{{"BootVersionRefused"}, "--start-in boot --nak 16*2", Setup::Normal,
        {"notice: 단말기 버전 조회 실패"}, kFailed, {0x16}, Outcome::VersionUnread},
    FailureCase{{"BootLoaderPortGoneBeforeReopen"}, kBoot, Setup::UnplugBeforeReopen,
        {"notice: 리더기 연결이 끊어졌습니다"}, kFailed, {0x16}, Outcome::ConnectionLost},
    FailureCase{{"BootLoaderPortTakenBeforeReopen"}, kBoot, Setup::HoldBeforeReopen,
        {"notice: 바이오스 연결 실패"}, kFailed, {0x16}, Outcome::BootLoaderUnreachable},
    FailureCase{{"KeyHandOverRefused"}, "--start-in boot --refuse-proof always --nak 92", Setup::Normal,
        {kKeyData}, kFailed, {0x92}, Outcome::DownloadKeyRefused},
    FailureCase{{"ProofRefusedTwice"}, "--start-in boot --refuse-proof always", Setup::Normal,
        {"notice: 인증 실패"}, kFailed, {0x8E}, Outcome::AuthenticationFailed},
    // A file the transfer could not send is refused before any authentication.
    FailureCase{{"HexFile"}, "", Setup::HexFile,
        {"box: bin 파일만 다운로드 가능합니다", "window box: File Error!! "}, kFailed, {0xFF, 0x0C}, Outcome::FirmwareFileRefused},
    FailureCase{{"EmptyFile"}, "", Setup::EmptyFile,
        {"window box: File Error!! "}, kFailed, {0xFF, 0x0C}, Outcome::FirmwareFileRefused},
    FailureCase{{"FileOverTheLargestImage"}, "", Setup::OversizeFile,
        {"window box: File Error!! "}, kFailed, {0xFF, 0x0C}, Outcome::FirmwareFileRefused},
    FailureCase{{"BlockRefusedSixTimes"}, "--start-in boot --refuse-blocks 6@256 --refuse-with nak", Setup::Normal,
        {"notice: 다운로드 실패"}, kFailed, {0xF1, 0x00, 0x01, 0x00}, Outcome::TransferRefused},
    FailureCase{{"FinishRefusedFiveTimes"}, "--start-in boot --refuse-finish 5", Setup::Normal,
        {"notice: 다운로드 실패"}, kFailed, {0xF2}, Outcome::TransferRefused},
    FailureCase{{"OtherVersionAfterTheFlash"}, "--start-in boot --wrong-version 999999", Setup::Normal,
        {"notice: FW 업그레이드가 실패 했거나 FW 파일의 버전이 잘못된 파일입니다.\r\n관리자에게 문의하세요.",
         "notice: 버전 조회 실패"}, kFailed, {0xFF, 0x04}, Outcome::WrongVersion}),
    testsupport::CaseName<FailureCase>);
// clang-format on

TEST_F(DownloadRun, AnUnexpectedExceptionIsRecordedWithItsTypeAndEndsAsFailed) {
    onRequest = [](const Bytes&) { throw std::length_error("a broken promise"); };
    EXPECT_FALSE(Download());
    EXPECT_EQ(view.shown, Lines{"fault: std::length_error: a broken promise"});
    EXPECT_EQ(view.outcome, Outcome::Unexpected);
}

struct LostCase : testsupport::NamedCase {
    const char* reader; // where the adapter is pulled out
    Bytes lastRequest;
    DWORD waitedMs; // from the last request the reader got to the end: fixed waits only
    bool backInBootLoader;
};

class ConnectionLost : public DownloadRun, public testing::WithParamInterface<LostCase> {};

TEST_P(ConnectionLost, SaysWhatToDoAndTheNextTransferCompletesElsewhere) {
    const LostCase& c = GetParam();
    DWORD lastRequestAt = 0;
    onRequest = [&](const Bytes&) { lastRequestAt = clock.TickCount(); };
    EXPECT_FALSE(Download(c.reader));

    EXPECT_EQ(view.shown, Lines{"notice: 리더기 연결이 끊어졌습니다"});
    EXPECT_EQ(view.outcome, Outcome::ConnectionLost);
    EXPECT_EQ(view.statuses.back(), "다운로드 실패");
    EXPECT_EQ(Lines(view.log.end() - 3, view.log.end()),
              (Lines{"리더기 연결이 끊어졌습니다. 리더기를 다시 연결해주세요.",
                     "리더기 모델명을 물으면 프로그램 왼쪽 상단에 리더기 모델명을 입력해주세요.",
                     "그 다음 전송 버튼을 다시 눌러주세요."}));
    EXPECT_EQ(clock.TickCount() - lastRequestAt, c.waitedMs);
    EXPECT_TRUE(
        std::equal(c.lastRequest.begin(), c.lastRequest.end(), link.delivered.back().begin()));
    EXPECT_TRUE(link.open.empty()) << "the port is closed";

    link.plugged = {kPort + 4};
    request.port.reset(); // the search
    sequence.RunToEnd(request);
    EXPECT_EQ(view.end, "completed");
    EXPECT_EQ(session.Port(), kPort + 4);
    EXPECT_EQ(view.shown.back().starts_with("question: "), c.backInBootLoader);
}

INSTANTIATE_TEST_SUITE_P(
    PulledAt, ConnectionLost,
    testing::Values(
        LostCase{{"Authentication"}, "--vanish-after FF0901", {0xFF, 0x09, 0x01}, 100, false},
        LostCase{{"ThirdBlock"}, "--vanish-after F1*3", {0xF1, 0x00, 0x02}, 0, true},
        LostCase{{"LastBlock"}, "--vanish-after F1*5", {0xF1, 0x00, 0x04}, 30, true},
        // Gone after the finish may be a restart: all 16 tries, 500 ms apart, first.
        LostCase{{"Finish"}, "--vanish-after F2", {0xF2}, 7000 + 16 * 500, false}),
    testsupport::CaseName<LostCase>);

} // namespace
} // namespace downloadtest
