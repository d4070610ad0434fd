#include "app/BrimletDlg.h"
#include "app/DownloadBusy.h"
#include "resources/ResourceIds.h"

namespace {

constexpr char kUnplugWarningText[] = "다운로드 성공 메세지가 나타나기 이전에 장치를 분리할 경우\n"
                                      "단말기가 정상 동작하지 않을 수 있습니다.";

} // namespace

void CBrimletDlg::StartDownload() {
    if (downloadBusy) {
        return;
    }
    SetStatus(" ");
    noticeMode = true;
    ShowNotice(kUnplugWarningText);
    noticeDialog->ShowWindow(SW_SHOW);
    DisableMainControls();
    noticeDialog->GetDlgItem(IDC_NOTICE_OK_BUTTON)->ShowWindow(SW_HIDE);
    downloadBusy = true;
    // Assigning joins the previous worker, which armed its timer as its last action and
    // has ended since.
    // The fields are read here, on the window's thread, never by the worker.
    downloadThread = std::jthread(DownloadWorker, this, TechnicianRequest());
}

// Its last action arms one of the result timers (DownloadCompleted, DownloadFailed).
int CBrimletDlg::DownloadWorker(CBrimletDlg* mainWindow, ReaderRequest request) {
    mainWindow->download.RunToEnd(request);
    return 0;
}
