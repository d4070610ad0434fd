#include "app/BrimletDlg.h"
#include "download/FailedStep.h"
#include "framework/Clock.h"

namespace {

constexpr DWORD kStepPauseMs = 100;
// The reader restarts into its boot loader after step 3 and needs this long.
constexpr DWORD kAfterAuthenticationMs = 5000;

constexpr char kKeyDataText[] = "Offline F/W Download Key 데이터를 확인하십시오.";
constexpr char kReaderKeyText[] = "단말기의 Offline F/W Download Key를 확인하십시오.";
constexpr char kReaderAuthenticationText[] = "리더기 인증 실패";
constexpr char kProofText[] = "인증 실패";

} // namespace

int CBrimletDlg::AuthenticateApplication() {
    Sleep(kStepPauseMs);
    if (DeriveAuthKeys() != 0) {
        return ReportFailedStep(*this, kReaderAuthenticationText);
    }

    Sleep(kStepPauseMs);
    logList.AddString("Offkey 확인 중...");
    if (SendDownloadKey(0) != 0) {
        return ReportFailedStep(*this, kKeyDataText);
    }

    Sleep(kStepPauseMs);
    logList.AddString("리더기 인증 확인중(1)...");
    if (AuthStep1() != 0) {
        return ReportFailedStep(*this, kReaderKeyText);
    }

    Sleep(kStepPauseMs);
    logList.AddString("리더기 인증 확인중(2)...");
    if (AuthStep2() != 0) {
        return ReportFailedStep(*this, kReaderAuthenticationText);
    }

    Sleep(kStepPauseMs);
    logList.AddString("리더기 인증 확인중(3)...");
    if (AuthStep3() != 0) {
        return ReportFailedStep(*this, kReaderAuthenticationText);
    }

    Sleep(kAfterAuthenticationMs);
    return 0;
}

int CBrimletDlg::AuthenticateBootLoader() {
    if (ProveDownloadKey() == 0) {
        return 0;
    }
    // A boot loader that lost its key takes it once more, then wants a new proof.
    if (SendDownloadKey(1) != 0) {
        return ReportFailedStep(*this, kKeyDataText);
    }
    Sleep(kStepPauseMs);
    if (ProveDownloadKey() != 0) {
        return ReportFailedStep(*this, kProofText);
    }
    return 0;
}
