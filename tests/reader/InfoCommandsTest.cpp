#include "tests/reader/ReaderBench.h"

#include "app/DownloadBusy.h"
#include "framework/WaitCursor.h"
#include "readerlink/VexilonDll.h"
#include "resources/ResourceIds.h"

#include <string>
#include <vector>

namespace {

using ReaderInfoButton = ReaderBench;

TEST_F(ReaderInfoButton, DoesNothingDuringADownload) {
    PlugSimulatedReader(7, RiviApplicationReader());
    dialog.logList.AddString("download line");
    downloadBusy = 1;

    dialog.SendCommand(IDC_READER_INFO_BUTTON);

    EXPECT_EQ(LogLines(), Lines{"download line"});
    EXPECT_TRUE(RequestsAt(7).empty());
    EXPECT_EQ(dialog.readerInfoLine.GetWindowText(), "");
    EXPECT_FALSE(IsWaitCursorShown());
}

TEST_F(ReaderInfoButton, ShowsTheApplicationsTextAskedAgainAndClosesThePort) {
    PlugSimulatedReader(3, RiviApplicationReader());
    dialog.reader.portOpen = 1;
    dialog.openButton.SetWindowText("Close");

    dialog.SendCommand(IDC_READER_INFO_BUTTON);

    EXPECT_EQ(dialog.readerInfoLine.GetWindowText(), kApplicationInfo);
    EXPECT_EQ(RequestsAt(3), (std::vector<Bytes>{kInfoRequest, kInfoRequest}));
    EXPECT_FALSE(TakeOpenPort(3));
    EXPECT_EQ(dialog.reader.portOpen, 0);
    EXPECT_EQ(dialog.openButton.GetWindowText(), "Open");
    EXPECT_FALSE(IsWaitCursorShown());
}

TEST_F(ReaderInfoButton, ShowsTheBootLoadersTextFromDetectionWithoutAskingTwice) {
    PlugSimulatedReader(7, RiviBootLoaderReader());
    dialog.modelNameField.SetWindowText("BRM-CR1200KR");
    bool cursorDuringQuestion = false;
    ScopedMessageBoxResponder watching([&](const MessageBoxRequest&) {
        cursorDuringQuestion = IsWaitCursorShown();
        return IDOK;
    });

    dialog.SendCommand(IDC_READER_INFO_BUTTON);

    EXPECT_EQ(dialog.readerInfoLine.GetWindowText(), "RIVI_BIOS_200101");
    EXPECT_EQ(RequestsAt(7), std::vector<Bytes>{kInfoRequest});
    EXPECT_TRUE(cursorDuringQuestion);
    EXPECT_FALSE(TakeOpenPort(7));
}

TEST_F(ReaderInfoButton, WithoutAReaderSaysSoInTheStatusAndTheLog) {
    dialog.SendCommand(IDC_READER_INFO_BUTTON);

    EXPECT_EQ(dialog.statusLine.GetWindowText(), "다운로드 실패");
    EXPECT_EQ(LogLines(),
              (Lines{kSearching, "연결된 보안 리더기가 없습니다.",
                     "보안 리더기가 연결되어 있으면 다른 프로그램에서 사용 중인지 확인해주세요."}));
}

TEST_F(ReaderBench, VersionButtonAsksWith16WhenFF04IsNotAnswered) {
    testsupport::FakeReaderPty& reader = OpenScriptedReader(7);
    reader.Enqueue(FakeReply::Refuse());
    reader.Enqueue(FakeReply::Answer(BytesOf(std::string(1, '\0') + "DBIOS_200101")));

    dialog.SendCommand(IDC_VERSION_BUTTON);

    EXPECT_EQ(reader.Requests(), (std::vector<Bytes>{{0xFF, 0x04}, {0x16}}));
    EXPECT_EQ(LogLines(),
              (Lines{"FW 버전 확인 중...", "FW 버전 확인 중...", "Version : DBIOS_200101"}));
}

TEST_F(ReaderBench, DebugLevelSendsTheLowByteAndLogsTheLevel) {
    testsupport::FakeReaderPty& reader = OpenScriptedReader(7);
    reader.SetResponder([](std::span<const std::uint8_t>) { return FakeReply::Answer(Bytes{0}); });
    for (const char* typed : {"5", "300", "abc", "-1", "99999999999"}) {
        dialog.GetDlgItem(IDC_DEBUG_LEVEL_FIELD)->SetWindowText(typed);
        dialog.SendCommand(IDC_DEBUG_LEVEL_BUTTON);
    }

    std::vector<Bytes> requests;
    for (std::uint8_t level : {0x05, 0x2C, 0x00, 0xFF, 0xFF}) {
        requests.push_back({0xFF, 0x98, level});
    }
    EXPECT_EQ(reader.Requests(), requests);
    EXPECT_EQ(LogLines(), (Lines{">=[FF9805]", "00", ">=[FF9812C]", "00", ">=[FF9800]", "00",
                                 ">=[FF98FFFFFFFF]", "00", ">=[FF987FFFFFFF]", "00"}));
    EXPECT_EQ(dialog.logList.GetCurSel(), LB_ERR) << "the list does not scroll to these lines";
    EXPECT_TRUE(TakeOpenPort(7)) << "the port is neither opened nor closed here";
}

TEST_F(ReaderBench, DebugLevelErrorsAreShownAsFailedToRead) {
    OpenScriptedReader(7).Enqueue(FakeReply::Refuse());
    dialog.SendCommand(IDC_DEBUG_LEVEL_BUTTON);
    VQ_ClosePort(7);
    dialog.SendCommand(IDC_DEBUG_LEVEL_BUTTON);
    EXPECT_EQ(LogLines(),
              (Lines{">=[FF9800]", "Failed to Read (3ED)", ">=[FF9800]", "Failed to Read (3E9)"}));
}

} // namespace
