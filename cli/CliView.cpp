// see CliView.h
#include "cli/CliView.h"

#include "cli/Words.h"
#include "core/FirmwareLookup.h"
#include "core/FirmwareNaming.h"

#include <algorithm>

namespace {

constexpr char kCompletedText[] = "다운로드가 완료되었습니다.";

} // namespace

CliView::CliView(Output& output, CliInputs inputs, Interruption& interruption)
    : output(output), inputs(std::move(inputs)), interruption(interruption) {}

void CliView::AppendLogLine(const std::string& line) {
    output.Log(line);
}

void CliView::ShowNotice(const std::string& text) {
    lastShown = text;
    output.Show(Shown::Notice, text);
}

void CliView::ShowMessage(const std::string& text) {
    lastShown = text;
    output.Show(Shown::Message, text);
}

// The model was given on the command line: that is the technician's confirmation.
bool CliView::ConfirmModelName(const std::string& question) {
    output.Show(Shown::Question, question);
    return true;
}

void CliView::SetStatus(const std::string& text) {
    status = text;
    output.Show(Shown::Status, text);
}

void CliView::SetReaderInfo(const std::string& text) {
    readerInfo = text;
    if (!text.empty()) {
        output.Show(Shown::ReaderInfo, text);
    }
}

// As the window's lookup, without a window: a given file stands for the file
// chooser's, whose version its name carries.
FirmwareChoice CliView::LookUpFirmwareFile(const std::string& modelName,
                                           const std::optional<std::string>& chosenFile) {
    if (chosenFile) {
        return {*chosenFile, VersionFromFirmwarePath(*chosenFile)};
    }
    const std::string path =
        LookUpFirmwareFor(modelName, [this](const std::string& line) { AppendLogLine(line); });
    if (path.empty()) {
        ShowNotice(kNoFirmwareFileNotice);
        return {};
    }
    return {path, VersionFromFirmwarePath(path)};
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
        output.Show(Shown::Fault, description);
    }
}

void CliView::DownloadCompleted() {
    downloadOutcome = Outcome::Succeeded;
    completedNotice = kCompletedText;
}

RunResult CliView::Result(Outcome outcome) {
    RunResult result;
    result.outcome = outcome;
    result.status = status;
    result.notice = lastShown;
    result.noticeShown = true;
    if (!completedNotice.empty()) {
        result.notice = completedNotice;
        result.noticeShown = false;
    }
    if (interruption.Stopped()) {
        const Words& words = WordsFor(inputs.language);
        result.outcome = Outcome::Stopped;
        result.notice =
            interruption.ReaderLeftInBootLoader() ? words.stoppedInBootLoader : words.stopped;
        result.noticeShown = false;
    }
    return result;
}
