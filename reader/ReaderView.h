#pragma once

#include <string>

// What the reader commands need from the window: the log list, the notice and
// message boxes, the lines they fill. What the technician typed for a search comes
// in a ReaderRequest instead.
class ReaderView {
public:
    virtual ~ReaderView() = default;

    // Adds a line at the end of the log without scrolling to it.
    virtual void AppendLogLine(const std::string& line) = 0;
    // Selects the last line, so that the log scrolls to it.
    virtual void SelectLastLogLine() = 0;
    virtual void ClearLog() = 0;

    // A message box during a download goes into the notice dialog instead.
    virtual void ShowNotice(const std::string& text) = 0;
    // The application's message box with an OK button.
    virtual void ShowMessage(const std::string& text) = 0;
    // Asks, in a box owned by the window, whether the model name is right.
    virtual bool ConfirmModelName(const std::string& question) = 0;

    virtual void ShowModelName(const std::string& name) = 0;
    virtual std::string TypedDebugLevel() = 0;

    virtual void SetStatus(const std::string& text) = 0;
    virtual void SetReaderInfo(const std::string& text) = 0;
    // The port was closed: the Open button reads "Open" again.
    virtual void PortClosed() = 0;
};
