#include "app/BrimletDlg.h"
#include "app/DownloadBusy.h"
#include "framework/LocalTime.h"
#include "framework/SystemAwake.h"
#include "history/DownloadHistory.h"
#include "resources/ResourceIds.h"

namespace {

constexpr char kUnplugWarningText[] = "다운로드 성공 메세지가 나타나기 이전에 장치를 분리할 경우\n"
                                      "단말기가 정상 동작하지 않을 수 있습니다.";

} // namespace

void CBrimletDlg::StartDownload() {
    if (downloadBusy) {
        return;
    }
    // The previous worker armed its timer and then wrote its history record: it has
    // ended by now, and nothing of this download may overlap it.
    if (downloadThread.joinable()) {
        downloadThread.join();
    }
    SetStatus(" ");
    noticeMode = true;
    ShowNotice(kUnplugWarningText);
    noticeDialog->ShowWindow(SW_SHOW);
    DisableMainControls();
    noticeDialog->GetDlgItem(IDC_NOTICE_OK_BUTTON)->ShowWindow(SW_HIDE);
    downloadBusy = true;
    // The fields are read here, on the window's thread, never by the worker.
    downloadThread = std::jthread(DownloadWorker, this, TechnicianRequest());
}

// Its download arms one of the result timers (DownloadCompleted, DownloadFailed);
// then the attempt goes into the history, well before the timer runs out. A history
// that cannot be written loses the record, as the log file loses its lines: no box
// interrupts the technician for it.
int CBrimletDlg::DownloadWorker(CBrimletDlg* mainWindow, ReaderRequest request) {
    // A PC going to sleep mid-download would leave the reader half flashed.
    const ScopedSystemAwake awake;
    const std::string start = LocalTimeNow();
    mainWindow->lastShownText.clear();
    mainWindow->download.RunToEnd(request);
    KeepInHistory(RecordOf("brimlet", start, mainWindow->download.Facts(),
                           mainWindow->downloadOutcome, mainWindow->lastShownText));
    return 0;
}
