// see CliView.h
#include "cli/CliView.h"

#include "core/FirmwareLookup.h"
#include "core/FirmwareNaming.h"
#include "reader/ReaderConstants.h"

#include <algorithm>

namespace {

constexpr char kCompletedText[] = "다운로드가 완료되었습니다.";

constexpr char kStoppedText[] = "중단되었습니다. 리더기는 바뀌지 않았습니다.";
constexpr char kStoppedInBootLoaderText[] =
    "중단되었습니다. 리더기가 부트 로더에 남아 있을 수 있습니다: 리더기를 분리하지 말고 "
    "brimlet-cli download --model <모델명> 으로 다운로드를 다시 실행하십시오.";

} // namespace

CliView::CliView(Output& output, CliInputs inputs, Interruption& interruption)
    : output(output), inputs(std::move(inputs)), interruption(interruption) {}

void CliView::AppendLogLine(const std::string& line) {
    output.Log(line);
}

void CliView::ShowNotice(const std::string& text) {
    shown.push_back(text);
    output.Shown("notice", text);
}

void CliView::ShowMessage(const std::string& text) {
    shown.push_back(text);
    output.Shown("message", text);
}

// The model was given on the command line: that is the technician's confirmation.
bool CliView::ConfirmModelName(const std::string& question) {
    output.Shown("question", question);
    return true;
}

std::string CliView::TypedPortNumber() {
    return inputs.port ? std::to_string(*inputs.port) : "7";
}

void CliView::SetStatus(const std::string& text) {
    status = text;
    output.Shown("status", text);
}

void CliView::SetReaderInfo(const std::string& text) {
    readerInfo = text;
    if (!text.empty()) {
        output.Shown("reader-info", text);
    }
}

// As the window's lookup, without a window: a given file stands for the file
// chooser's, whose version its name carries.
void CliView::LookUpFirmwareFile() {
    if (inputs.chosenFile) {
        firmwarePath = *inputs.chosenFile;
        session->fileVersion = VersionFromFirmwarePath(firmwarePath);
        return;
    }
    const std::string path = LookUpFirmwareFor(
        session->modelName, [this](const std::string& line) { AppendLogLine(line); });
    if (path.empty()) {
        ShowNotice(kNoFirmwareFileNotice);
        return;
    }
    firmwarePath = path;
    session->fileVersion = VersionFromFirmwarePath(path);
}

void CliView::SetProgressRange(std::int32_t total) {
    progressTotal = total;
    output.Progress(0, total);
}

// The position runs on to the all-FF block past the image; the bar stops at the image.
void CliView::SetProgressPosition(std::int32_t position) {
    output.Progress(std::min(position, progressTotal), progressTotal);
}

// A stopped run throws out of its wait: that is no fault.
void CliView::RecordFault(const std::string& description) {
    if (!interruption.Stopped()) {
        output.Shown("fault", description);
    }
}

void CliView::DownloadCompleted() {
    downloadOutcome = Outcome::Succeeded;
    ShowNotice(kCompletedText);
}

RunResult CliView::Result(Outcome outcome) {
    RunResult result;
    result.outcome = outcome;
    result.status = status;
    result.notice = shown.empty() ? "" : shown.back();
    if (interruption.Stopped()) {
        result.outcome = Outcome::Stopped;
        result.notice =
            interruption.ReaderLeftInBootLoader() ? kStoppedInBootLoaderText : kStoppedText;
    }
    return result;
}
