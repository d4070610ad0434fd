#include "app/DownloadBusy.h"
#include "framework/UserInput.h"
#include "resources/ResourceIds.h"
#include "sim/SampleImage.h"
#include "tests/reader/ReaderBench.h"
#include "tests/support/ScreenInput.h"

#include <QTimer>

#include <fstream>
#include <functional>

// The main window run modally, as the program runs it, and driven through the window
// system's input path: clicks and keys reach Qt as from the screen, so a window that
// another one blocks refuses them as it would refuse a user.

namespace {

using namespace screeninput;

constexpr char kNoReaderText[] = "단말기 연결 확인 실패";
// Far longer than either result timer (1 s, 3 s); a hang ends the test here.
constexpr int kResultBoundMs = 60000;

bool Visible(CWnd* wnd) {
    return wnd != nullptr && wnd->IsWindowVisible() != FALSE;
}

class RealInput : public ReaderBench {
protected:
    void SetUp() override {
        ReaderBench::SetUp();
        dialog.DestroyWindow(); // the program runs its main window modally instead
    }

    // Runs the main window as the program does, with the user's part inside its
    // modal loop; the window then closes as from its Cancel command.
    void RunProgram(const std::function<void()>& user) {
        QTimer::singleShot(0, [&] {
            if (QTest::qWaitForWindowExposed(TopLevelOf(dialog))) {
                user();
            } else {
                ADD_FAILURE() << "the main window never showed";
            }
            ProcessEventsUntil([] { return downloadBusy == 0; }, kResultBoundMs);
            dialog.EndDialog(IDCANCEL);
        });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }

    CInprogressDlg& Notice() { return *dialog.noticeDialog; }
    CWnd* NoticeButton() { return Notice().GetDlgItem(IDC_NOTICE_OK_BUTTON); }
    bool AwaitResult() {
        return ProcessEventsUntil([] { return downloadBusy == 0; }, kResultBoundMs);
    }
};

// Clicking 전송 returns before the worker can hand anything to this thread, so
// what the click left is the running download as the user sees it.
TEST_F(RealInput, DuringADownloadTheNoticeHasNoButtonAndTheWindowRefusesToClose) {
    RunProgram([&] {
        Click(dialog.transferButton);
        ASSERT_EQ(downloadBusy, 1);
        EXPECT_TRUE(Visible(&Notice()));
        EXPECT_FALSE(Visible(NoticeButton()));
        TopLevelOf(dialog)->close(); // the title bar's close button
        Press(dialog, Qt::Key_F4, Qt::AltModifier);
        EXPECT_TRUE(Visible(&dialog));
        ASSERT_TRUE(AwaitResult());
        TopLevelOf(dialog)->close();
        EXPECT_FALSE(Visible(&dialog)) << "closes once the download has ended";
    });
}

TEST_F(RealInput, FailureNoticeIgnoresReturnAndEscapeAndItsButtonHidesIt) {
    RunProgram([&] {
        Click(dialog.transferButton);
        ASSERT_TRUE(AwaitResult());
        EXPECT_EQ(Notice().noticeText.GetWindowText(), kNoReaderText);
        ASSERT_TRUE(Visible(NoticeButton()));
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            Press(Notice(), key);
            EXPECT_TRUE(Visible(&Notice())) << key;
        }
        Click(*NoticeButton());
        EXPECT_FALSE(Visible(&Notice()));

        Click(dialog.transferButton);
        EXPECT_EQ(downloadBusy, 1) << "a second download starts";
        EXPECT_TRUE(Visible(&Notice()));
    });
}

TEST_F(RealInput, MainWindowTakesClicksWhileTheFailureNoticeShows) {
    RunProgram([&] {
        Click(dialog.transferButton);
        ASSERT_TRUE(AwaitResult());
        ASSERT_TRUE(Visible(&Notice()));
        Click(dialog.modelNameField); // above the notice
        for (char key : std::string("KR1")) {
            QTest::keyClick(TopLevelOf(dialog), key);
        }
        EXPECT_EQ(dialog.modelNameField.GetWindowText(), "KR1");
        EXPECT_TRUE(Visible(&Notice()));
    });
}

TEST_F(RealInput, SuccessNoticeHidesByItself) {
    sim::ReaderConfig reader = RiviApplicationReader();
    reader.restartTime = std::chrono::milliseconds(0);
    PlugSimulatedReader(7, reader);
    const std::string version = "160101";
    const std::vector<std::uint8_t> image = sim::MakeSampleImage(1000, version);
    std::filesystem::create_directories(folder / "RIVI_OIL");
    std::ofstream(folder / "RIVI_OIL" /
                      ("MakeEncryptFW_RIVI_OIL-" + reader.model + "-" + version + ".bin"),
                  std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()),
               static_cast<std::streamsize>(image.size()));
    RunProgram([&] {
        Click(dialog.transferButton);
        ASSERT_TRUE(AwaitResult());
        EXPECT_EQ(dialog.statusLine.GetWindowText(), "다운로드 성공");
        EXPECT_FALSE(Visible(&Notice()));
    });
}

} // namespace
