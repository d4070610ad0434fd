// demo-download: one download on the real main window with nobody at the screen,
// for the demo on a machine without a display. Presses 전송, waits for the
// result, saves a picture of the screen while the result shows, and prints the
// log list. Exit status 0 only when the download succeeded. A failed download is
// followed by another press in the same window, up to PRESSES presses in all.
//
// Usage: demo-download PROGRAM_FOLDER SCREENSHOT.png [PRESSES]

#include "app/BrimletDlg.h"
#include "app/DownloadBusy.h"
#include "framework/MessageBox.h"
#include "framework/ProgramFolder.h"
#include "framework/ScreenImage.h"
#include "framework/UiSession.h"
#include "framework/UserInput.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr const char* kCompletedText = "다운로드가 완료되었습니다.";
constexpr const char* kSucceededStatus = "다운로드 성공";
// Detection, the 5 s authentication pause, the paced transfer and the restart
// take well under a minute; past this something hangs.
constexpr int kDownloadBoundMs = 180'000;
// Lets the last texts paint before the picture is taken.
constexpr int kPaintMs = 500;

bool ResultShows(CBrimletDlg& dialog) {
    return downloadBusy == 0 || (dialog.noticeDialog &&
                                 dialog.noticeDialog->noticeText.GetWindowText() == kCompletedText);
}

} // namespace

int main(int argc, char** argv) {
    const int presses = argc == 4 ? std::atoi(argv[3]) : 1;
    if (argc < 3 || argc > 4 || presses < 1) {
        std::fputs("Usage: demo-download PROGRAM_FOLDER SCREENSHOT.png [PRESSES]\n", stderr);
        return 2;
    }
    const std::string programFolder = argv[1];
    const std::string screenshot = argv[2];
    UiSession session(argc, argv);
    ScopedProgramFolder folder(programFolder);
    // Nobody can answer a box here: each is printed and answered with OK.
    ScopedMessageBoxResponder responder([](const MessageBoxRequest& box) {
        std::printf("[message box] %s\n", box.text.c_str());
        return IDOK;
    });

    CBrimletDlg dialog;
    if (!dialog.Create()) {
        std::fputs("demo-download: the main window could not be built\n", stderr);
        return 1;
    }
    std::string status;
    bool saved = false;
    for (int press = 0; press < presses && status != kSucceededStatus; ++press) {
        dialog.transferButton.Click();
        if (downloadBusy == 0) {
            std::fputs("demo-download: pressing 전송 started no download\n", stderr);
            return 1;
        }
        if (!ProcessEventsUntil([&] { return ResultShows(dialog); }, kDownloadBoundMs)) {
            std::fputs("demo-download: the download did not end in time\n", stderr);
            return 1;
        }
        ProcessEventsUntil([] { return false; }, kPaintMs);
        saved = SaveScreenImage(screenshot);
        ProcessEventsUntil([] { return downloadBusy == 0; }, kDownloadBoundMs);

        for (int i = 0; i < dialog.logList.GetCount(); ++i) {
            std::printf("%s\n", dialog.logList.GetText(i).c_str());
        }
        status = dialog.statusLine.GetWindowText();
        std::printf("상태: %s\n", status.c_str());
        if (dialog.noticeDialog) {
            std::printf("알림: %s\n", dialog.noticeDialog->noticeText.GetWindowText().c_str());
        }
    }
    if (saved) {
        std::printf("screenshot: %s\n", screenshot.c_str());
    } else {
        std::fprintf(stderr, "demo-download: could not save the screenshot %s\n",
                     screenshot.c_str());
    }
    dialog.DestroyWindow();
    return status == kSucceededStatus && saved ? 0 : 1;
}
