#include "app/BrimletDlg.h"

#include "framework/MessageBox.h"
#include "resources/ResourceIds.h"

namespace {

constexpr UINT kSucceededTimerMs = 3000;
constexpr UINT kFailedTimerMs = 1000;
constexpr char kCompletedText[] = "다운로드가 완료되었습니다.";

} // namespace

void CBrimletDlg::AppendLogLine(const std::string& line) {
    logFile->Write("log: " + line);
    logList.AddString(line);
}

void CBrimletDlg::SelectLastLogLine() {
    logList.SetCurSel(logList.GetCount() - 1);
}

void CBrimletDlg::ShowMessage(const std::string& text) {
    logFile->Write("message: " + text);
    lastShownText = text;
    AfxMessageBox(text, MB_OK);
}

bool CBrimletDlg::ConfirmModelName(const std::string& question) {
    return MessageBox(question.c_str(), "리더기명 확인", MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK;
}

void CBrimletDlg::ShowModelName(const std::string& name) {
    modelNameField.SetWindowText(name);
}

std::string CBrimletDlg::TypedDebugLevel() {
    return GetDlgItem(IDC_DEBUG_LEVEL_FIELD)->GetWindowText();
}

void CBrimletDlg::SetStatus(const std::string& text) {
    logFile->Write("status: " + text);
    statusLine.SetWindowText(text);
}

void CBrimletDlg::SetReaderInfo(const std::string& text) {
    readerInfoLine.SetWindowText(text);
}

void CBrimletDlg::PortClosed() {
    openButton.SetWindowText("Open");
}

void CBrimletDlg::SetProgressRange(std::int32_t total) {
    progressBar.SetRange32(0, total);
}

void CBrimletDlg::SetProgressPosition(std::int32_t position) {
    progressBar.SetPos(position);
}

void CBrimletDlg::SetProgressCounter(const std::string& text) {
    progressCounter.SetWindowText(text);
}

void CBrimletDlg::ShowWindowMessage(const std::string& text) {
    logFile->Write("message: " + text);
    lastShownText = text;
    MessageBox(text.c_str(), nullptr, MB_OK);
}

void CBrimletDlg::DownloadCompleted() {
    logFile->Write("result: download succeeded");
    downloadOutcome = Outcome::Succeeded;
    lastShownText = kCompletedText;
    noticeDialog->noticeText.SetWindowText(kCompletedText);
    SetTimer(TIMER_DOWNLOAD_OK, kSucceededTimerMs);
}

void CBrimletDlg::RecordFault(const std::string& description) {
    logFile->Write("fault: " + description);
}

// The window says no more than that it failed: the notice before it said why.
void CBrimletDlg::DownloadFailed(Outcome outcome) {
    logFile->Write("result: download failed");
    downloadOutcome = outcome;
    SetTimer(TIMER_DOWNLOAD_FAILED, kFailedTimerMs);
}
