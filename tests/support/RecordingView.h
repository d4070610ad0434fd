#pragma once

#include "download/DownloadView.h"

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// The window as the reader session and the download see it: what they show is
// recorded, what the user typed is set by the test.
class RecordingView : public DownloadView {
public:
    void AppendLogLine(const std::string& line) override { log.push_back(line); }
    void SelectLastLogLine() override { selected = static_cast<int>(log.size()) - 1; }
    void ClearLog() override { log.clear(), selected = -1; }
    void ShowNotice(const std::string& text) override { shown.push_back("notice: " + text); }
    void ShowMessage(const std::string& text) override { shown.push_back("box: " + text); }
    bool ConfirmModelName(const std::string& text) override {
        shown.push_back("question: " + text);
        return confirm;
    }
    void ShowModelName(const std::string& name) override { shownModel = name; }
    std::string TypedDebugLevel() override { return typedDebugLevel; }
    void SetStatus(const std::string& text) override { statuses.push_back(text); }
    void SetReaderInfo(const std::string& text) override { readerInfo = text; }
    void PortClosed() override { ++portClosings; }
    FirmwareChoice LookUpFirmwareFile(const std::string&,
                                      const std::optional<std::string>&) override {
        ++lookups;
        return {firmwareField, firmwareVersion};
    }
    void SetProgressRange(std::int32_t total) override { progressRange = total; }
    void SetProgressPosition(std::int32_t position) override { progress = position; }
    void SetProgressCounter(const std::string& text) override { counter = text; }
    void ShowWindowMessage(const std::string& text) override {
        shown.push_back("window box: " + text);
    }
    void ReaderMayLeaveApplication() override {}
    void RecordFault(const std::string& text) override { shown.push_back("fault: " + text); }
    void DownloadCompleted() override { end = "completed", outcome = Outcome::Succeeded; }
    void DownloadFailed(Outcome failure) override { end = "failed", outcome = failure; }

    std::vector<std::string> log, shown, statuses;
    int selected = -1, portClosings = 0, lookups = 0;
    bool confirm = true;
    std::string typedDebugLevel, shownModel, readerInfo, firmwareField, firmwareVersion;
    std::int32_t progressRange = -1, progress = -1;
    std::string counter, end;
    Outcome outcome = Outcome::Unexpected;
};

} // namespace testsupport
