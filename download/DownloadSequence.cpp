#include "download/DownloadSequence.h"

#include "download/CurrentException.h"
#include "reader/ProtocolTimings.h"

namespace {

constexpr char kMsrText[] = "MSR 인증 실패";

} // namespace

DownloadSequence::DownloadSequence(ReaderSession& reader, DownloadView& view)
    : reader(reader), view(view) {}

void DownloadSequence::RunToEnd(const ReaderRequest& request) {
    Outcome outcome = Outcome::Unexpected;
    try {
        outcome = RunDownload(request);
    } catch (...) {
        // Whatever went wrong, the window must get back to idle through its timer.
        view.RecordFault(DescribeCurrentException());
    }
    facts.elapsedMs = ElapsedMs();
    if (outcome == Outcome::Succeeded) {
        view.DownloadCompleted();
    } else {
        view.DownloadFailed(outcome);
    }
}

std::int32_t DownloadSequence::ElapsedMs() const {
    // Ticks wrap after 49.7 days; the difference is still right modulo 2^32.
    return static_cast<std::int32_t>(reader.clock.TickCount() - downloadStartTicks);
}

Outcome DownloadSequence::ReportFailedStep(Outcome outcome, const std::string& text) {
    if (reader.PortLost()) {
        return ReportConnectionLost();
    }
    view.ShowNotice(text);
    view.SetStatus(kDownloadFailedText);
    return outcome;
}

Outcome DownloadSequence::ReportConnectionLost() {
    reader.ClosePort();
    view.ShowNotice(kConnectionLostText);
    view.SetStatus(kDownloadFailedText);
    // A reader cut off in its boot loader asks for its model name on the next try and
    // then takes the whole image again, on whichever port it comes back.
    reader.AppendLogLine("리더기 연결이 끊어졌습니다. 리더기를 다시 연결해주세요.");
    reader.AppendLogLine(
        "리더기 모델명을 물으면 프로그램 왼쪽 상단에 리더기 모델명을 입력해주세요.");
    reader.AppendLogLine("그 다음 전송 버튼을 다시 눌러주세요.");
    return Outcome::ConnectionLost;
}

Outcome DownloadSequence::RunDownload(const ReaderRequest& request) {
    downloadStartTicks = reader.clock.TickCount();
    facts = {};

    const Outcome detection = DetectionOutcome(reader.DetectReader(request));
    if (detection != Outcome::Succeeded) {
        view.SetStatus(kDownloadFailedText);
        view.ShowNotice("단말기 연결 확인 실패");
        reader.AppendLogLine("연결된 vizuz 보안 리더기가 없습니다.");
        reader.AppendLogLine(
            "보안 리더기가 연결되어 있으면 다른 프로그램에서 사용 중인지 확인해주세요.");
        return detection;
    }
    facts.port = reader.Port();
    facts.infoText = reader.ReaderInfo();
    facts.model = reader.ModelName();
    const FirmwareChoice firmware = view.LookUpFirmwareFile(reader.ModelName(), request.chosenFile);
    fileVersion = firmware.version;
    // A file the transfer would refuse is refused here, before the reader is
    // authenticated and left in its boot loader.
    switch (ReadFirmwareImage(firmware.path)) {
    case ImageCheck::Unreadable:
        return ReportFailedStep(Outcome::FirmwareFileMissing, "FW File을 확인하십시오.");
    case ImageCheck::Refused:
        view.ShowWindowMessage(kFileErrorText);
        view.SetStatus(kDownloadFailedText);
        return Outcome::FirmwareFileRefused;
    case ImageCheck::Ready:
        break;
    }

    Wait(reader.clock, kQueryPause);
    // Only a reader that answers in its application firmware is authenticated; one
    // already in its boot loader goes on at once.
    if (reader.QueryVersion(VersionQuery::Application) == VersionResult::Valid) {
        facts.versionBefore = reader.VersionText();
        if (reader.QueryVersion(VersionQuery::MsrCheck) == VersionResult::Valid) {
            view.ShowMessage(kMsrText);
            return Outcome::MsrNotAuthenticated;
        }
        if (const Outcome authenticated = AuthenticateApplication();
            authenticated != Outcome::Succeeded) {
            return authenticated;
        }
    }
    if (reader.QueryVersion(VersionQuery::MsrCheckLinkOk) == VersionResult::Valid) {
        view.ShowMessage(kMsrText);
        return Outcome::MsrNotAuthenticated;
    }
    reader.QueryVersion(VersionQuery::Reader16);
    Wait(reader.clock, kQueryPause);
    if (reader.QueryVersion(VersionQuery::Reader16) != VersionResult::Valid) {
        return ReportFailedStep(Outcome::VersionUnread, "단말기 버전 조회 실패");
    }

    Wait(reader.clock, kQueryPause);
    if (!reader.ReopenPort()) {
        return ReportFailedStep(Outcome::BootLoaderUnreachable, "바이오스 연결 실패");
    }
    view.ReaderMayLeaveApplication();
    view.SetStatus("FW 다운로드 중...");
    reader.AppendLogLine("바이오스 인증 확인중...");
    if (const Outcome authenticated = AuthenticateBootLoader();
        authenticated != Outcome::Succeeded) {
        return authenticated;
    }
    return RunTransferPhase();
}
