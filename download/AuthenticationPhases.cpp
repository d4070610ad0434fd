#include "download/DownloadSequence.h"

namespace {

constexpr DWORD kStepPauseMs = 100;
// The reader restarts into its boot loader after step 3 and needs this long.
constexpr DWORD kAfterAuthenticationMs = 5000;

constexpr char kKeyDataText[] = "Offline F/W Download Key 데이터를 확인하십시오.";
constexpr char kReaderKeyText[] = "단말기의 Offline F/W Download Key를 확인하십시오.";
constexpr char kReaderAuthenticationText[] = "리더기 인증 실패";
constexpr char kProofText[] = "인증 실패";

} // namespace

bool DownloadSequence::AuthenticateApplication() {
    Clock& clock = reader.clock;
    clock.SleepFor(kStepPauseMs);
    if (!DeriveAuthKeys()) {
        ReportFailedStep(kReaderAuthenticationText);
        return false;
    }

    clock.SleepFor(kStepPauseMs);
    reader.AppendLogLine("Offkey 확인 중...");
    if (!reader.SendDownloadKey(DownloadKeyForm::Application, auth.downloadKey)) {
        ReportFailedStep(kKeyDataText);
        return false;
    }

    struct Step {
        const char* line;
        bool (DownloadSequence::*run)();
        const char* failure;
    };
    static constexpr Step kSteps[] = {
        {"리더기 인증 확인중(1)...", &DownloadSequence::AuthStep1, kReaderKeyText},
        {"리더기 인증 확인중(2)...", &DownloadSequence::AuthStep2, kReaderAuthenticationText},
        {"리더기 인증 확인중(3)...", &DownloadSequence::AuthStep3, kReaderAuthenticationText},
    };
    for (const Step& step : kSteps) {
        clock.SleepFor(kStepPauseMs);
        reader.AppendLogLine(step.line);
        if (!(this->*step.run)()) {
            ReportFailedStep(step.failure);
            return false;
        }
    }

    clock.SleepFor(kAfterAuthenticationMs);
    return true;
}

bool DownloadSequence::AuthenticateBootLoader() {
    if (ProveDownloadKey()) {
        return true;
    }
    // A boot loader that lost its key takes it once more, then wants a new proof.
    if (!reader.SendDownloadKey(DownloadKeyForm::BootLoader, auth.downloadKey)) {
        ReportFailedStep(kKeyDataText);
        return false;
    }
    reader.clock.SleepFor(kStepPauseMs);
    if (!ProveDownloadKey()) {
        ReportFailedStep(kProofText);
        return false;
    }
    return true;
}
