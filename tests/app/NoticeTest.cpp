#include "app/BrimletDlg.h"
#include "app/DownloadBusy.h"
#include "app/NoticePlacement.h"
#include "framework/Menu.h"
#include "framework/MessageBox.h"
#include "framework/UserInput.h"
#include "resources/ResourceIds.h"
#include "tests/support/ScriptedLink.h"

#include <gtest/gtest.h>

#include <QWidget>

#include <vector>

namespace {

TEST(NoticePlacement, CentresAbove) {
    struct Case {
        RECT mainWindow;
        int clientWidth, clientHeight;
        POINT expected;
    };
    for (const Case& c : {Case{{100, 100, 900, 700}, 462, 96, {269, 267}},
                          Case{{0, 0, 801, 601}, 463, 97, {169, 167}},
                          Case{{-500, -50, 300, 550}, 462, 96, {-331, 117}}}) {
        const POINT at = NoticePosition(c.mainWindow, c.clientWidth, c.clientHeight);
        EXPECT_EQ(at.x, c.expected.x) << c.mainWindow.right;
        EXPECT_EQ(at.y, c.expected.y) << c.mainWindow.right;
    }
}

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

    // Every message box is answered and recorded instead of shown.
    std::vector<MessageBoxRequest> boxes;
    ScopedMessageBoxResponder responder{[this](const MessageBoxRequest& request) {
        boxes.push_back(request);
        return IDOK;
    }};
    VirtualClock clock;
    testsupport::ScriptedLink link{clock};
    CBrimletDlg dialog{nullptr, link.Link()};
};

TEST_F(Notice, DuringADownloadGoesIntoTheHiddenNoticePlacedByTheFormula) {
    dialog.noticeMode = 1;
    dialog.ShowNotice("첫 번째");
    ASSERT_NE(dialog.noticeDialog, nullptr);
    EXPECT_FALSE(dialog.noticeDialog->IsWindowVisible());
    EXPECT_EQ(dialog.noticeDialog->noticeText.GetWindowText(), "첫 번째");
    CInprogressDlg* first = dialog.noticeDialog.get();
    first->ShowWindow(SW_SHOW);

    dialog.ShowNotice("두 번째");
    EXPECT_EQ(dialog.noticeDialog.get(), first);
    EXPECT_EQ(dialog.noticeDialog->noticeText.GetWindowText(), "두 번째");
    EXPECT_TRUE(boxes.empty());

    CRect main, client, notice;
    dialog.GetWindowRect(&main);
    first->GetClientRect(&client);
    first->GetWindowRect(&notice);
    const POINT expected = NoticePosition(main, client.Width(), client.Height());
    EXPECT_EQ(notice.left, expected.x);
    EXPECT_EQ(notice.top, expected.y);
}

TEST_F(Notice, OnlyTheTextIsBlueAndBold) {
    dialog.noticeMode = 1;
    dialog.ShowNotice("글꼴");
    const QColor blue(0, 0, 255);
    const QWidget& text = *dialog.noticeDialog->noticeText.Widget();
    EXPECT_EQ(text.palette().color(QPalette::WindowText), blue);
    EXPECT_NE(NoticeOkButton()->Widget()->palette().color(QPalette::ButtonText), blue);
    EXPECT_TRUE(text.font().bold());
    EXPECT_FALSE(NoticeOkButton()->Widget()->font().bold());
}

constexpr int kReaderControls[] = {1047, 1056, 1005, 1045};

bool CloseIsGreyed(CBrimletDlg& dialog) {
    return (dialog.GetSystemMenu(FALSE)->GetMenuState(SC_CLOSE) & (MF_GRAYED | MF_DISABLED)) ==
           (MF_GRAYED | MF_DISABLED);
}

// A download at its end: notice up, controls disabled, a port open.
class DownloadEnd : public Notice {
protected:
    static constexpr int kPort = 243;

    void SetUp() override {
        Notice::SetUp();
        link.plugged = link.open = {kPort};
        dialog.reader.OpenPortByHand(kPort);
        dialog.openButton.SetWindowText("Close");
        downloadBusy = 1;
        dialog.noticeMode = 1;
        dialog.ShowNotice("다운로드 중");
        dialog.noticeDialog->ShowWindow(SW_SHOW);
        NoticeOkButton()->ShowWindow(SW_HIDE);
        dialog.DisableMainControls();
    }
};

class DownloadEndTimer : public DownloadEnd, public testing::WithParamInterface<UINT_PTR> {};

TEST_P(DownloadEndTimer, HandlesItsOwnTimersOnly) {
    const bool ends = GetParam() == 10000 || GetParam() == 10001;
    dialog.OnTimer(GetParam());

    EXPECT_EQ(dialog.noticeDialog->IsWindowVisible() != FALSE, GetParam() != 10000);
    EXPECT_EQ(NoticeOkButton()->IsWindowVisible() != FALSE, GetParam() == 10001);
    for (int id : kReaderControls) {
        EXPECT_EQ(dialog.GetDlgItem(id)->IsWindowEnabled() != FALSE, ends) << id;
    }
    EXPECT_EQ(CloseIsGreyed(dialog), !ends);
    EXPECT_EQ(dialog.noticeMode, ends ? 0 : 1);
    EXPECT_EQ(downloadBusy.load(), ends ? 0 : 1);
    EXPECT_EQ(dialog.reader.Port(), ends ? 0 : kPort);
    EXPECT_EQ(dialog.reader.PortOpenedByHand(), !ends);
    EXPECT_EQ(dialog.openButton.GetWindowText(), ends ? "Open" : "Close");
    EXPECT_EQ(link.open.contains(kPort), !ends);
    EXPECT_TRUE(boxes.empty());
    // The window refuses to close while the download lasts.
    dialog.OnSysCommand(SC_CLOSE, 0);
    EXPECT_EQ(dialog.IsWindowVisible() == FALSE, ends);
    if (!ends) {
        EXPECT_FALSE(RequestClose(dialog));
    }
}

INSTANTIATE_TEST_SUITE_P(Timers, DownloadEndTimer, testing::Values(10000, 10001, 10002, 1, 9999));

} // namespace
