#include "tests/reader/ReaderBench.h"

#include "app/DownloadBusy.h"
#include "framework/WaitCursor.h"
#include "readerlink/VexilonDll.h"
#include "resources/ResourceIds.h"

#include <string>
#include <vector>

namespace {

using testsupport::FakeReply;
using Lines = std::vector<std::string>;

const Bytes kInfoRequest = {0xFF, 0x0C};
constexpr const char* kSearching = "장비 확인 중...";
constexpr const char* kApplicationInfo = "VAN=RIVI_BR0000777_C0100_R0100_BRM-CR1200KR";

template <typename Case> std::string CaseName(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

class ReaderInfoButton : public ReaderBench {
protected:
    void Press() { dialog.SendCommand(IDC_READER_INFO_BUTTON); }
};

TEST_F(ReaderInfoButton, DoesNothingDuringADownload) {
    PlugSimulatedReader(7, RiviApplicationReader());
    dialog.logList.AddString("download line");
    downloadBusy = 1;

    Press();

    EXPECT_EQ(LogLines(), Lines{"download line"});
    EXPECT_TRUE(RequestsAt(7).empty());
    EXPECT_EQ(dialog.readerInfoLine.GetWindowText(), "");
    EXPECT_EQ(dialog.statusLine.GetWindowText(), "");
    EXPECT_FALSE(IsWaitCursorShown());
}

TEST_F(ReaderInfoButton, ShowsTheApplicationsTextAskedAgainAndClosesThePort) {
    PlugSimulatedReader(3, RiviApplicationReader());
    dialog.reader.portOpen = 1;
    dialog.openButton.SetWindowText("Close");

    Press();

    EXPECT_EQ(dialog.readerInfoLine.GetWindowText(), kApplicationInfo);
    EXPECT_EQ(RequestsAt(3), (std::vector<Bytes>{kInfoRequest, kInfoRequest}));
    EXPECT_EQ(LogLines(),
              (Lines{kSearching, std::string("COM3 => 장비 정보 : ") + kApplicationInfo}));
    EXPECT_FALSE(TakeOpenPort(3));
    EXPECT_EQ(dialog.reader.port, 0);
    EXPECT_EQ(dialog.reader.portOpen, 0);
    EXPECT_EQ(dialog.openButton.GetWindowText(), "Open");
    EXPECT_EQ(dialog.statusLine.GetWindowText(), "");
    EXPECT_FALSE(IsWaitCursorShown());
}

TEST_F(ReaderInfoButton, ShowsTheBootLoadersTextFromDetectionWithoutAskingTwice) {
    PlugSimulatedReader(7, RiviBootLoaderReader());
    dialog.modelNameField.SetWindowText("BRM-CR1200KR");
    bool cursorDuringQuestion = false;
    ScopedMessageBoxResponder watching([&](const MessageBoxRequest& box) {
        boxes.push_back(box);
        cursorDuringQuestion = IsWaitCursorShown();
        return IDOK;
    });

    Press();

    EXPECT_EQ(dialog.readerInfoLine.GetWindowText(), "RIVI_BIOS_200101");
    EXPECT_EQ(RequestsAt(7), std::vector<Bytes>{kInfoRequest});
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(cursorDuringQuestion);
    EXPECT_FALSE(IsWaitCursorShown());
    EXPECT_FALSE(TakeOpenPort(7));
    EXPECT_EQ(dialog.openButton.GetWindowText(), "Open");
}

TEST_F(ReaderInfoButton, WithoutAReaderSaysSoInTheStatusAndTheLog) {
    dialog.reader.portOpen = 1;
    dialog.openButton.SetWindowText("Close");

    Press();

    EXPECT_EQ(dialog.statusLine.GetWindowText(), "다운로드 실패");
    EXPECT_EQ(LogLines(),
              (Lines{kSearching, "연결된 보안 리더기가 없습니다.",
                     "보안 리더기가 연결되어 있으면 다른 프로그램에서 사용 중인지 확인해주세요."}));
    EXPECT_EQ(dialog.logList.GetCurSel(), 2);
    EXPECT_EQ(dialog.readerInfoLine.GetWindowText(), "");
}

TEST_F(ReaderInfoButton, AFailedSecondReadIsShownAsItsError) {
    testsupport::FakeReaderPty& reader = PlugScriptedReader(7);
    reader.Enqueue(
        FakeReply::Answer(BytesOf(std::string(1, '\0') + "VAN=RIVI_S_C_R_BRM-CR1200KR")));
    reader.Enqueue(FakeReply::Refuse());

    Press();

    EXPECT_EQ(dialog.readerInfoLine.GetWindowText(), "Failed to Read (3ED)");
    EXPECT_EQ(reader.Requests(), (std::vector<Bytes>{kInfoRequest, kInfoRequest}));
    EXPECT_FALSE(TakeOpenPort(7));
}

// The second read has no retry with 16, unlike detection.
TEST_F(ReaderInfoButton, ASecondAnswerOfOnlyTheCodeShowsNothing) {
    testsupport::FakeReaderPty& reader = PlugScriptedReader(7);
    reader.Enqueue(
        FakeReply::Answer(BytesOf(std::string(1, '\0') + "VAN=RIVI_S_C_R_BRM-CR1200KR")));
    reader.Enqueue(FakeReply::Answer(Bytes{0x00}));

    Press();

    EXPECT_EQ(dialog.readerInfoLine.GetWindowText(), "");
    EXPECT_EQ(reader.Requests(), (std::vector<Bytes>{kInfoRequest, kInfoRequest}));
}

TEST_F(ReaderInfoButton, TextsThatAreNotUtf8AreShownReplaced) {
    PlugReaderAnswering(7, "VAN=RIVI_S_C_R_\xC3"
                           "AB");
    Press();
    EXPECT_EQ(dialog.readerInfoLine.GetWindowText(), "VAN=RIVI_S_C_R_\uFFFD"
                                                     "AB");
}

class VersionButton : public ReaderBench {};

TEST_F(VersionButton, AsksWith16WhenFF04IsNotAnswered) {
    testsupport::FakeReaderPty& reader = PlugScriptedReader(7);
    reader.Enqueue(FakeReply::Refuse());
    reader.Enqueue(FakeReply::Answer(BytesOf(std::string(1, '\0') + "DBIOS_200101")));
    ASSERT_EQ(VQ_InitPort(7, 115200), 7);
    dialog.reader.port = 7;

    dialog.SendCommand(IDC_VERSION_BUTTON);

    EXPECT_EQ(reader.Requests(), (std::vector<Bytes>{{0xFF, 0x04}, {0x16}}));
    EXPECT_EQ(LogLines(),
              (Lines{"FW 버전 확인 중...", "FW 버전 확인 중...", "Version : DBIOS_200101"}));
}

TEST_F(VersionButton, StopsAfterAnAnsweredFF04) {
    PlugSimulatedReader(7, RiviApplicationReader());
    ASSERT_EQ(VQ_InitPort(7, 115200), 7);
    dialog.reader.port = 7;

    dialog.SendCommand(IDC_VERSION_BUTTON);

    EXPECT_EQ(RequestsAt(7), (std::vector<Bytes>{{0xFF, 0x04}}));
    EXPECT_EQ(LogLines(), (Lines{"FW 버전 확인 중...", "Version : KBRM-CR1200KR_150803"}));
}

struct LevelCase {
    const char* name;
    std::string typed;
    std::string line;
    std::uint8_t wireLevel;
};

class DebugLevelButton : public ReaderBench, public testing::WithParamInterface<LevelCase> {};

TEST_P(DebugLevelButton, SendsTheLowByteAndLogsTheLevel) {
    const LevelCase& c = GetParam();
    testsupport::FakeReaderPty& reader = PlugScriptedReader(7);
    reader.Enqueue(FakeReply::Answer(Bytes{0x00}));
    ASSERT_EQ(VQ_InitPort(7, 115200), 7);
    dialog.reader.port = 7;
    dialog.GetDlgItem(IDC_DEBUG_LEVEL_FIELD)->SetWindowText(c.typed);

    dialog.SendCommand(IDC_DEBUG_LEVEL_BUTTON);

    EXPECT_EQ(reader.Requests(), (std::vector<Bytes>{{0xFF, 0x98, c.wireLevel}}));
    EXPECT_EQ(LogLines(), (Lines{c.line, "00"}));
    EXPECT_EQ(dialog.logList.GetCurSel(), LB_ERR) << "the list does not scroll to these lines";
    EXPECT_TRUE(TakeOpenPort(7)) << "the port is neither opened nor closed here";
}

INSTANTIATE_TEST_SUITE_P(Levels, DebugLevelButton,
                         testing::Values(LevelCase{"Five", "5", ">=[FF9805]", 0x05},
                                         LevelCase{"ThreeHundred", "300", ">=[FF9812C]", 0x2C},
                                         LevelCase{"NoDigits", "abc", ">=[FF9800]", 0x00},
                                         LevelCase{"MinusOne", "-1", ">=[FF98FFFFFFFF]", 0xFF},
                                         LevelCase{"BeyondThirtyTwoBits", "99999999999",
                                                   ">=[FF987FFFFFFF]", 0xFF}),
                         CaseName<LevelCase>);

TEST_F(ReaderBench, DebugLevelErrorsAreShownAsFailedToRead) {
    testsupport::FakeReaderPty& reader = PlugScriptedReader(7);
    reader.Enqueue(FakeReply::Refuse());
    ASSERT_EQ(VQ_InitPort(7, 115200), 7);
    dialog.reader.port = 7;
    dialog.SendCommand(IDC_DEBUG_LEVEL_BUTTON);
    VQ_ClosePort(7);
    dialog.SendCommand(IDC_DEBUG_LEVEL_BUTTON);
    EXPECT_EQ(LogLines(),
              (Lines{">=[FF9800]", "Failed to Read (3ED)", ">=[FF9800]", "Failed to Read (3E9)"}));
}

} // namespace
