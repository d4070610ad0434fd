#include "app/BrimletDlg.h"
#include "app/DownloadBusy.h"
#include "framework/SystemAwake.h"
#include "resources/ResourceIds.h"

namespace {

constexpr char kUnplugWarningText[] = "다운로드 성공 메세지가 나타나기 이전에 장치를 분리할 경우\n"
                                      "단말기가 정상 동작하지 않을 수 있습니다.";

} // namespace

void CBrimletDlg::StartDownload() {
    if (downloadBusy == 1) {
        return;
    }
    SetStatus(" ");
    noticeMode = 1;
    ShowNotice(kUnplugWarningText);
    noticeDialog->ShowWindow(SW_SHOW);
    DisableMainControls();
    noticeDialog->GetDlgItem(IDC_NOTICE_OK_BUTTON)->ShowWindow(SW_HIDE);
    downloadBusy = 1;
    // Assigning joins the previous worker, which armed its timer as its last action and
    // has ended since.
    downloadThread = std::jthread(DownloadWorker, this);
}

// Its last action arms one of the result timers (DownloadCompleted, DownloadFailed).
int CBrimletDlg::DownloadWorker(CBrimletDlg* mainWindow) {
    // A PC going to sleep mid-download would leave the reader half flashed.
    const ScopedSystemAwake awake;
    mainWindow->download.RunToEnd();
    return 0;
}
