#include "app/BrimletDlg.h"
#include "app/DownloadBusy.h"
#include "framework/MessageBox.h"
#include "framework/ProgramFolder.h"
#include "framework/UserInput.h"
#include "resources/ResourceIds.h"
#include "sim/SampleImage.h"
#include "sim/SimulatedReader.h"
#include "tests/support/ScreenInput.h"
#include "tests/support/ScriptedLink.h"
#include "tests/support/TempFolder.h"

#include <QTimer>

#include <filesystem>
#include <fstream>
#include <functional>
#include <future>

// The main window run modally, as the program runs it, and driven through the window
// system's input path, where a window another one blocks refuses input as from a user.

namespace {

using namespace screeninput;

constexpr char kNoReaderText[] = "단말기 연결 확인 실패";
constexpr int kReaderControls[] = {IDC_PORT_NUMBER_FIELD, IDC_AUTO_SEARCH_CHECK,
                                   IDC_TRANSFER_BUTTON, IDC_READER_INFO_BUTTON};
constexpr char kUnplugWarning[] = "다운로드 성공 메세지가 나타나기 이전에 장치를 분리할 경우\n"
                                  "단말기가 정상 동작하지 않을 수 있습니다.";
constexpr int kResultBoundMs = 60000; // far longer than either result timer (1 s, 3 s)

bool Visible(CWnd* wnd) {
    return wnd != nullptr && wnd->IsWindowVisible() != FALSE;
}

// No reader unless a test plugs one; every wait on virtual time, every box answered.
class RealInput : public testing::Test {
protected:
    void TearDown() override { downloadBusy = 0; }

    // Runs the main window as the program does, with the user's part inside its
    // modal loop; the window then closes as from its Cancel command.
    void RunProgram(const std::function<void()>& user) {
        QTimer::singleShot(0, [&] {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(TopLevelOf(dialog)));
            user();
            AwaitResult();
            dialog.EndDialog(IDCANCEL);
        });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }

    CInprogressDlg& Notice() { return *dialog.noticeDialog; }
    CWnd* NoticeButton() { return Notice().GetDlgItem(IDC_NOTICE_OK_BUTTON); }
    bool AwaitResult() {
        return ProcessEventsUntil([] { return downloadBusy == 0; }, kResultBoundMs);
    }

    testsupport::TempFolder folder;
    ScopedProgramFolder programFolderSeam{folder.Path().string()};
    ScopedMessageBoxResponder responder{[](const MessageBoxRequest&) { return IDOK; }};
    VirtualClock clock;
    ScopedClock virtualTime{clock};
    testsupport::ScriptedLink link{clock};
    CBrimletDlg dialog{nullptr, link.Link()};
};

// The reader on COM7 holds its answer until the test has looked at the running download.
TEST_F(RealInput, DuringADownloadTheNoticeHasNoButtonAndTheWindowRefusesToClose) {
    std::promise<void> looked;
    link.plugged = {7};
    link.responder = [held = looked.get_future().share()](const testsupport::Bytes&) {
        held.wait();
        return sim::Reply{};
    };
    RunProgram([&] {
        Click(dialog.transferButton);
        EXPECT_EQ(downloadBusy, 1);
        EXPECT_EQ(dialog.statusLine.GetWindowText(), " ");
        EXPECT_TRUE(Visible(&Notice()));
        EXPECT_EQ(Notice().noticeText.GetWindowText(), kUnplugWarning);
        EXPECT_FALSE(Visible(NoticeButton()));
        for (int id : kReaderControls) {
            EXPECT_FALSE(dialog.GetDlgItem(id)->IsWindowEnabled()) << id;
        }
        TopLevelOf(dialog)->close(); // the title bar's close button
        Press(dialog, Qt::Key_F4, Qt::AltModifier);
        EXPECT_TRUE(Visible(&dialog));
        looked.set_value();
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
        EXPECT_EQ(dialog.statusLine.GetWindowText(), "다운로드 실패");
        EXPECT_EQ(dialog.logList.GetText(dialog.logList.GetCount() - 2),
                  "연결된 vizuz 보안 리더기가 없습니다.");
        for (int id : kReaderControls) {
            EXPECT_TRUE(dialog.GetDlgItem(id)->IsWindowEnabled()) << id;
        }
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
    sim::ReaderConfig config;
    config.restartTime = std::chrono::milliseconds(0);
    sim::SimulatedReader reader(config);
    link.plugged = {7};
    link.Serve(reader);
    const std::string version = "160101";
    const std::vector<std::uint8_t> image = sim::MakeSampleImage(1000, version);
    std::filesystem::create_directories(folder.Path() / "RIVI_OIL");
    std::ofstream(folder.Path() / "RIVI_OIL" /
                      ("MakeEncryptFW_RIVI_OIL-" + config.model + "-" + version + ".bin"),
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
