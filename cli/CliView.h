#pragma once

#include "cli/Interruption.h"
#include "cli/Language.h"
#include "cli/Output.h"
#include "download/DownloadView.h"
#include "reader/ReaderRequest.h"

#include <optional>
#include <string>

// What the command line gives in place of the window's fields (the chosen file as
// if chosen with the file chooser), and the language of its own words.
struct CliInputs {
    ReaderRequest request;
    Language language = Language::English;
};

// The window as the command line plays it: every log line, text and progress step
// goes to the output as it happens; the model is the one given and is taken as
// confirmed; the firmware is found as the window finds it unless a file was given.
class CliView : public DownloadView {
public:
    CliView(Output& output, CliInputs inputs, Interruption& interruption);

    // The run's result from how it ended; stopped runs say how to recover.
    RunResult Result(Outcome outcome);

    void AppendLogLine(const std::string& line) override;
    void SelectLastLogLine() override {}
    void ClearLog() override {}
    void ShowNotice(const std::string& text) override;
    void ShowMessage(const std::string& text) override;
    bool ConfirmModelName(const std::string& question) override;
    void ShowModelName(const std::string&) override {}
    std::string TypedDebugLevel() override { return "0"; }
    void SetStatus(const std::string& text) override;
    void SetReaderInfo(const std::string& text) override;
    void PortClosed() override {}

    FirmwareChoice LookUpFirmwareFile(const std::string& modelName,
                                      const std::optional<std::string>& chosenFile) override;
    void SetProgressRange(std::int32_t total) override;
    void SetProgressPosition(std::int32_t position) override;
    void SetProgressCounter(const std::string&) override {}
    void ShowWindowMessage(const std::string& text) override { ShowMessage(text); }
    void ReaderMayLeaveApplication() override { interruption.ReaderMayBeInBootLoader(); }
    void RecordFault(const std::string& description) override;
    void DownloadCompleted() override;
    void DownloadFailed(Outcome outcome) override { downloadOutcome = outcome; }

    // The information text the read showed; how the download ended.
    std::string readerInfo;
    Outcome downloadOutcome = Outcome::Unexpected;

private:
    // The notice a completed download ends with; shown once, at the end.
    std::string completedNotice;
    Output& output;
    CliInputs inputs;
    Interruption& interruption;
    std::string status;
    std::string lastShown; // notice or box
    std::int32_t progressTotal = 0;
};
