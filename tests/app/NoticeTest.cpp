#include "app/BrimletDlg.h"
#include "app/DownloadBusy.h"
#include "app/NoticePlacement.h"
#include "framework/Menu.h"
#include "framework/MessageBox.h"
#include "framework/UserInput.h"
#include "readerlink/VexilonDll.h"
#include "resources/ResourceIds.h"
#include "tests/app/LibraryFolder.h"
#include "tests/support/FakeReaderPty.h"

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

struct PlacementCase {
    const char* name;
    RECT mainWindow;
    int clientWidth, clientHeight;
    POINT expected;
};

class NoticePlacement : public testing::TestWithParam<PlacementCase> {};

TEST_P(NoticePlacement, CentresAbove) {
    const PlacementCase& c = GetParam();
    const POINT at = NoticePosition(c.mainWindow, c.clientWidth, c.clientHeight);
    EXPECT_EQ(at.x, c.expected.x);
    EXPECT_EQ(at.y, c.expected.y);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, NoticePlacement,
    testing::Values(PlacementCase{"Documented800x600", {100, 100, 900, 700}, 462, 96, {269, 267}},
                    PlacementCase{"OddSizesRoundDown", {0, 0, 801, 601}, 463, 97, {169, 167}},
                    PlacementCase{"LeftOfScreen", {-500, -50, 300, 550}, 462, 96, {-331, 117}},
                    PlacementCase{"NoticeWiderThanMain", {10, 10, 110, 60}, 301, 41, {-90, -70}},
                    PlacementCase{"EmptyNotice", {0, 0, 0, 0}, 0, 0, {0, -85}}),
    [](const testing::TestParamInfo<PlacementCase>& info) { return std::string(info.param.name); });

// Every message box is answered and recorded instead of shown.
class RecordedBoxes {
public:
    RecordedBoxes()
        : responder([this](const MessageBoxRequest& request) {
              boxes.push_back(request);
              return IDOK;
          }) {}
    std::vector<MessageBoxRequest> boxes;

private:
    ScopedMessageBoxResponder responder;
};

class Notice : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dialog.Create()); }
    void TearDown() override {
        downloadBusy = 0;
        dialog.DestroyWindow();
    }

    CButton* NoticeOkButton() {
        return static_cast<CButton*>(dialog.noticeDialog->GetDlgItem(IDC_NOTICE_OK_BUTTON));
    }

    RecordedBoxes recorded;
    CBrimletDlg dialog;
};

TEST_F(Notice, OutsideADownloadIsAMessageBox) {
    dialog.ShowNotice("포트 열기 실패");
    ASSERT_EQ(recorded.boxes.size(), 1u);
    EXPECT_EQ(recorded.boxes[0].text, "포트 열기 실패");
    EXPECT_EQ(recorded.boxes[0].buttons, MB_OK);
    EXPECT_EQ(dialog.noticeDialog, nullptr);
}

TEST_F(Notice, DuringADownloadGoesIntoTheHiddenNotice) {
    dialog.noticeMode = 1;
    dialog.ShowNotice("첫 번째");
    ASSERT_NE(dialog.noticeDialog, nullptr);
    EXPECT_FALSE(dialog.noticeDialog->IsWindowVisible());
    EXPECT_EQ(dialog.noticeDialog->noticeText.GetWindowText(), "첫 번째");

    CInprogressDlg* first = dialog.noticeDialog.get();
    dialog.ShowNotice("두 번째");
    EXPECT_EQ(dialog.noticeDialog.get(), first);
    EXPECT_EQ(dialog.noticeDialog->noticeText.GetWindowText(), "두 번째");
    EXPECT_TRUE(recorded.boxes.empty());
}

TEST_F(Notice, IsPlacedByTheFormula) {
    dialog.noticeMode = 1;
    dialog.ShowNotice("위치");
    dialog.noticeDialog->ShowWindow(SW_SHOW);
    dialog.ShowNotice("위치");

    CRect main;
    dialog.GetWindowRect(&main);
    CRect client;
    dialog.noticeDialog->GetClientRect(&client);
    CRect notice;
    dialog.noticeDialog->GetWindowRect(&notice);
    const POINT expected = NoticePosition(main, client.Width(), client.Height());
    EXPECT_EQ(notice.left, expected.x);
    EXPECT_EQ(notice.top, expected.y);
}

TEST_F(Notice, FromTheWorkerThreadIsCreatedOnTheUserInterfaceThread) {
    dialog.noticeMode = 1;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        dialog.ShowNotice("작업 중");
        dialog.ShowNotice("실패");
        done = true;
    });
    EXPECT_TRUE(ProcessEventsUntil([&] { return done.load(); }));
    worker.join();
    ASSERT_NE(dialog.noticeDialog, nullptr);
    EXPECT_EQ(dialog.noticeDialog->noticeText.GetWindowText(), "실패");
    EXPECT_TRUE(recorded.boxes.empty());
}

TEST_F(Notice, KeysDoNotDismissItButItsButtonDoes) {
    dialog.noticeMode = 1;
    dialog.ShowNotice("실패");
    dialog.noticeDialog->ShowWindow(SW_SHOW);
    for (CWnd* target :
         {static_cast<CWnd*>(dialog.noticeDialog.get()), static_cast<CWnd*>(NoticeOkButton())}) {
        for (UINT key : {VK_RETURN, VK_ESCAPE}) {
            PressKey(*target, key);
            EXPECT_TRUE(dialog.noticeDialog->IsWindowVisible()) << key;
        }
    }
    NoticeOkButton()->Click();
    EXPECT_FALSE(dialog.noticeDialog->IsWindowVisible());
}

TEST_F(Notice, TextFont) {
    dialog.noticeMode = 1;
    dialog.ShowNotice("글꼴");
    EXPECT_EQ(dialog.noticeDialog->noticeFont.GetFaceName(), "굴림");
    EXPECT_EQ(dialog.noticeDialog->noticeFont.GetWeight(), 700);
}

struct ColourCase {
    const char* name;
    int id;
    UINT ctlColor;
    std::optional<COLORREF> textColor;
};

class NoticeColour : public Notice, public testing::WithParamInterface<ColourCase> {};

TEST_P(NoticeColour, OnlyTheTextIsBlue) {
    dialog.noticeMode = 1;
    dialog.ShowNotice("색");
    CDC dc;
    dialog.noticeDialog->OnCtlColor(&dc, dialog.noticeDialog->GetDlgItem(GetParam().id),
                                    GetParam().ctlColor);
    EXPECT_EQ(dc.GetTextColor(), GetParam().textColor);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, NoticeColour,
    testing::Values(ColourCase{"NoticeText", 1059, CTLCOLOR_STATIC, RGB(0, 0, 255)},
                    ColourCase{"OkButton", 1058, CTLCOLOR_BTN, std::nullopt}),
    [](const testing::TestParamInfo<ColourCase>& info) { return std::string(info.param.name); });

constexpr int kReaderControls[] = {1047, 1056, 1005, 1045};

bool CloseIsGreyed(CBrimletDlg& dialog) {
    return (dialog.GetSystemMenu(FALSE)->GetMenuState(SC_CLOSE) & (MF_GRAYED | MF_DISABLED)) ==
           (MF_GRAYED | MF_DISABLED);
}

TEST_F(Notice, DisablingRefusesCloseUntilEnabledAgain) {
    dialog.DisableMainControls();
    for (int id : kReaderControls) {
        EXPECT_FALSE(dialog.GetDlgItem(id)->IsWindowEnabled()) << id;
    }
    EXPECT_TRUE(CloseIsGreyed(dialog));
    EXPECT_FALSE(RequestClose(dialog));
    dialog.OnSysCommand(SC_CLOSE, 0);
    EXPECT_TRUE(dialog.IsWindowVisible());

    dialog.EnableMainControls();
    for (int id : kReaderControls) {
        EXPECT_TRUE(dialog.GetDlgItem(id)->IsWindowEnabled()) << id;
    }
    EXPECT_FALSE(CloseIsGreyed(dialog));
    dialog.OnSysCommand(SC_CLOSE, 0);
    EXPECT_FALSE(dialog.IsWindowVisible());
}

// A download at its end: notice up, controls disabled, a port open.
class DownloadEnd : public Notice {
protected:
    static constexpr int kPort = 243;

    void SetUp() override {
        Notice::SetUp();
        fake = std::make_unique<testsupport::FakeReaderPty>(LoadedLibraryFolder(), kPort);
        ASSERT_EQ(VQ_InitPort(kPort, 115200), kPort);
        dialog.reader.port = kPort;
        dialog.reader.portOpen = 1;
        dialog.openButton.SetWindowText("Close");
        downloadBusy = 1;
        dialog.noticeMode = 1;
        dialog.ShowNotice("다운로드 중");
        dialog.noticeDialog->ShowWindow(SW_SHOW);
        NoticeOkButton()->ShowWindow(SW_HIDE);
        dialog.DisableMainControls();
    }
    void TearDown() override {
        VQ_ClosePort(kPort);
        fake.reset();
        Notice::TearDown();
    }

    std::unique_ptr<testsupport::FakeReaderPty> fake;
};

struct TimerCase {
    const char* name;
    UINT_PTR id;
    bool noticeVisible;
    bool okButtonVisible;
    bool endsTheDownload;
};

class DownloadEndTimer : public DownloadEnd, public testing::WithParamInterface<TimerCase> {};

TEST_P(DownloadEndTimer, HandlesItsOwnTimersOnly) {
    const TimerCase& c = GetParam();
    dialog.OnTimer(c.id);

    EXPECT_EQ(dialog.noticeDialog->IsWindowVisible() != FALSE, c.noticeVisible);
    EXPECT_EQ(NoticeOkButton()->IsWindowVisible() != FALSE, c.okButtonVisible);
    for (int id : kReaderControls) {
        EXPECT_EQ(dialog.GetDlgItem(id)->IsWindowEnabled() != FALSE, c.endsTheDownload) << id;
    }
    EXPECT_EQ(CloseIsGreyed(dialog), !c.endsTheDownload);
    EXPECT_EQ(dialog.noticeMode, c.endsTheDownload ? 0 : 1);
    EXPECT_EQ(downloadBusy.load(), c.endsTheDownload ? 0 : 1);
    EXPECT_EQ(dialog.reader.port, c.endsTheDownload ? 0 : kPort);
    EXPECT_EQ(dialog.reader.portOpen, c.endsTheDownload ? 0 : 1);
    EXPECT_EQ(dialog.openButton.GetWindowText(), c.endsTheDownload ? "Open" : "Close");
    // Closing again tells whether the handler closed the port.
    EXPECT_EQ(VQ_ClosePort(kPort), c.endsTheDownload ? VQ_ERR_PORT_NOT_OPEN : VQ_OK);
    EXPECT_TRUE(recorded.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Timers, DownloadEndTimer,
                         testing::Values(TimerCase{"Succeeded", 10000, false, false, true},
                                         TimerCase{"Failed", 10001, true, true, true},
                                         TimerCase{"OtherId", 10002, true, false, false},
                                         TimerCase{"IdOne", 1, true, false, false},
                                         TimerCase{"BelowOk", 9999, true, false, false}),
                         [](const testing::TestParamInfo<TimerCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(DownloadEnd, ArmedTimerFiresOnceAndIsKilled) {
    ASSERT_EQ(dialog.SetTimer(TIMER_DOWNLOAD_OK, 1), TIMER_DOWNLOAD_OK);
    ASSERT_TRUE(ProcessEventsUntil([] { return downloadBusy.load() == 0; }));
    EXPECT_FALSE(dialog.KillTimer(TIMER_DOWNLOAD_OK));
    EXPECT_FALSE(dialog.noticeDialog->IsWindowVisible());
}

TEST_F(DownloadEnd, FailureNoticeStaysUntilItsButtonIsPressed) {
    dialog.ShowNotice("인증 실패");
    dialog.OnTimer(TIMER_DOWNLOAD_FAILED);
    EXPECT_EQ(dialog.noticeDialog->noticeText.GetWindowText(), "인증 실패");
    for (UINT key : {VK_RETURN, VK_ESCAPE}) {
        PressKey(*NoticeOkButton(), key);
    }
    EXPECT_TRUE(dialog.noticeDialog->IsWindowVisible());
    NoticeOkButton()->Click();
    EXPECT_FALSE(dialog.noticeDialog->IsWindowVisible());

    // After the download, notices are message boxes again.
    dialog.ShowNotice("포트 열기 실패");
    ASSERT_EQ(recorded.boxes.size(), 1u);
    EXPECT_EQ(recorded.boxes[0].text, "포트 열기 실패");
}

} // namespace
