#include "app/BrimletDlg.h"
#include "app/DownloadBusy.h"
#include "download/FailedStep.h"
#include "framework/Clock.h"
#include "framework/MessageBox.h"
#include "readerlink/VexilonDll.h"
#include "resources/ResourceIds.h"

namespace {

constexpr char kUnplugWarningText[] = "다운로드 성공 메세지가 나타나기 이전에 장치를 분리할 경우\n"
                                      "단말기가 정상 동작하지 않을 수 있습니다.";
constexpr char kCompletedText[] = "다운로드가 완료되었습니다.";
constexpr char kMsrText[] = "MSR 인증 실패";

constexpr UINT kSucceededTimerMs = 3000;
constexpr UINT kFailedTimerMs = 1000;
constexpr DWORD kQueryPauseMs = 100;
constexpr int kBaudRate = 115200;

// QueryVersion modes the sequence runs, in its order.
constexpr int kApplicationVersion = 0;
constexpr int kMsrBeforeAuthentication = 4;
constexpr int kMsrAfterAuthentication = 5;
constexpr int kBootVersionProbe = 3;
constexpr int kBootVersion = 1;

} // namespace

void CBrimletDlg::StartDownload() {
    if (downloadBusy == 1) {
        return;
    }
    statusLine.SetWindowText(" ");
    noticeMode = 1;
    ShowNotice(kUnplugWarningText);
    noticeDialog->ShowWindow(SW_SHOW);
    DisableMainControls();
    noticeDialog->GetDlgItem(IDC_NOTICE_OK_BUTTON)->ShowWindow(SW_HIDE);
    downloadBusy = 1;
    // The previous worker armed its timer as its last action and has ended since.
    if (downloadThread.joinable()) {
        downloadThread.join();
    }
    downloadThread = std::jthread(DownloadWorker, this);
}

int CBrimletDlg::DownloadWorker(CBrimletDlg* mainWindow) {
    int result = 0;
    try {
        result = mainWindow->RunDownload();
    } catch (...) {
        // Whatever went wrong, the window must get back to idle through its timer.
        result = 0;
    }
    if (result == 1) {
        mainWindow->noticeDialog->noticeText.SetWindowText(kCompletedText);
        mainWindow->SetTimer(TIMER_DOWNLOAD_OK, kSucceededTimerMs);
    } else {
        mainWindow->SetTimer(TIMER_DOWNLOAD_FAILED, kFailedTimerMs);
    }
    return 0;
}

int CBrimletDlg::RunDownload() {
    downloadStartTicks = GetTickCount();
    reader.rxLength = 0;

    if (DetectReader() == 0) {
        statusLine.SetWindowText(kDownloadFailedText);
        ShowNotice("단말기 연결 확인 실패");
        logList.AddString("연결된 vizuz 보안 리더기가 없습니다.");
        logList.AddString(
            "보안 리더기가 연결되어 있으면 다른 프로그램에서 사용 중인지 확인해주세요.");
        return 0;
    }
    if (CheckFirmwareFile() != 0) {
        ReportFailedStep(*this, "FW File을 확인하십시오.");
        return 0;
    }

    Sleep(kQueryPauseMs);
    reader.versionMismatch = 0;
    // Only a reader that answers in its application firmware is authenticated; one
    // already in its boot loader goes on at once.
    if (QueryVersion(kApplicationVersion) == 0) {
        if (QueryVersion(kMsrBeforeAuthentication) == 0) {
            AfxMessageBox(kMsrText, MB_OK);
            return 0;
        }
        if (AuthenticateApplication() != 0) {
            return 0;
        }
    }
    if (QueryVersion(kMsrAfterAuthentication) == 0) {
        AfxMessageBox(kMsrText, MB_OK);
        return 0;
    }
    QueryVersion(kBootVersionProbe);
    Sleep(kQueryPauseMs);
    if (QueryVersion(kBootVersion) != 0) {
        ReportFailedStep(*this, "단말기 버전 조회 실패");
        return 0;
    }

    Sleep(kQueryPauseMs);
    VQ_ClosePort(reader.port);
    reader.portOpen = 0;
    if (VQ_InitPort(reader.port, kBaudRate) != reader.port) {
        ReportFailedStep(*this, "바이오스 연결 실패");
        return 0;
    }
    statusLine.SetWindowText("FW 다운로드 중...");
    logList.AddString("바이오스 인증 확인중...");
    if (AuthenticateBootLoader() != 0) {
        return 0;
    }
    return RunTransferPhase();
}
