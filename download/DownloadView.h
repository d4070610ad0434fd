#pragma once

#include "reader/Outcome.h"
#include "reader/ReaderView.h"

#include <cstdint>
#include <optional>
#include <string>

struct FirmwareChoice {
    std::string path;
    std::string version;
};

// What the download needs from the window beyond the reader commands: the firmware
// file, the progress bar and its counter, a box owned by the window, and the two ends.
class DownloadView : public ReaderView {
public:
    // The firmware for modelName: a file chosen by hand when given, else the one the
    // lookup finds. path is the file field as the user then sees it, the file the
    // download reads once; version is what its name carries, which the restarted
    // reader must report.
    virtual FirmwareChoice LookUpFirmwareFile(const std::string& modelName,
                                              const std::optional<std::string>& chosenFile) = 0;

    virtual void SetProgressRange(std::int32_t total) = 0;
    virtual void SetProgressPosition(std::int32_t position) = 0;
    virtual void SetProgressCounter(const std::string& text) = 0;

    // A message box owned by the window, OK button.
    virtual void ShowWindowMessage(const std::string& text) = 0;

    // From here on the reader may have left its application firmware: stopped now,
    // it may stay in its boot loader until a download completes.
    virtual void ReaderMayLeaveApplication() = 0;
    // An exception nobody expected, with its type and message, for the record kept
    // after the run; the download then ends as failed.
    virtual void RecordFault(const std::string& description) = 0;

    // The last step of the worker: success shows "다운로드가 완료되었습니다." and arms
    // the 3000 ms timer, failure the 1000 ms one. outcome says why it failed.
    virtual void DownloadCompleted() = 0;
    virtual void DownloadFailed(Outcome outcome) = 0;
};
