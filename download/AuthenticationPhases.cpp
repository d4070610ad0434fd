#include "download/DownloadSequence.h"
#include "reader/ProtocolTimings.h"

namespace {

constexpr char kKeyDataText[] = "Offline F/W Download Key 데이터를 확인하십시오.";
constexpr char kReaderKeyText[] = "단말기의 Offline F/W Download Key를 확인하십시오.";
constexpr char kReaderAuthenticationText[] = "리더기 인증 실패";
constexpr char kProofText[] = "인증 실패";

} // namespace

Outcome DownloadSequence::AuthenticateApplication() {
    Clock& clock = reader.clock;
    Wait(clock, kAuthStepPause);
    if (!DeriveAuthKeys()) {
        return ReportFailedStep(Outcome::AuthenticationFailed, kReaderAuthenticationText);
    }

    Wait(clock, kAuthStepPause);
    reader.AppendLogLine("Offkey 확인 중...");
    if (!reader.SendDownloadKey(DownloadKeyForm::Application, auth.downloadKey)) {
        return ReportFailedStep(Outcome::DownloadKeyRefused, kKeyDataText);
    }

    struct Step {
        const char* line;
        bool (DownloadSequence::*run)();
        const char* failure;
        // Step 3 stores a new key pair and restarts the reader into its boot loader.
        bool leavesApplication;
    };
    static constexpr Step kSteps[] = {
        {"리더기 인증 확인중(1)...", &DownloadSequence::AuthStep1, kReaderKeyText, false},
        {"리더기 인증 확인중(2)...", &DownloadSequence::AuthStep2, kReaderAuthenticationText,
         false},
        {"리더기 인증 확인중(3)...", &DownloadSequence::AuthStep3, kReaderAuthenticationText, true},
    };
    for (const Step& step : kSteps) {
        Wait(clock, kAuthStepPause);
        if (step.leavesApplication) {
            view.ReaderMayLeaveApplication();
        }
        reader.AppendLogLine(step.line);
        if (!(this->*step.run)()) {
            return ReportFailedStep(Outcome::AuthenticationFailed, step.failure);
        }
    }

    Wait(clock, kAfterAuthentication);
    return Outcome::Succeeded;
}

Outcome DownloadSequence::AuthenticateBootLoader() {
    if (ProveDownloadKey()) {
        return Outcome::Succeeded;
    }
    // A boot loader that lost its key takes it once more, then wants a new proof.
    if (!reader.SendDownloadKey(DownloadKeyForm::BootLoader, auth.downloadKey)) {
        return ReportFailedStep(Outcome::DownloadKeyRefused, kKeyDataText);
    }
    Wait(reader.clock, kAuthStepPause);
    if (!ProveDownloadKey()) {
        return ReportFailedStep(Outcome::AuthenticationFailed, kProofText);
    }
    return Outcome::Succeeded;
}
