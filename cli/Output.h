#pragma once

#include "cli/ExitCodes.h"

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

// The end of a run: how it ended (its exit code and reason follow from that), the
// window's status and notice texts, and what the command found.
struct RunResult {
    Outcome outcome = Outcome::Unexpected;
    std::string status;
    std::string notice;
    // The notice was shown as it happened already; text output does not repeat it.
    bool noticeShown = false;
    std::optional<std::string> info;    // the reader's information text
    std::optional<std::string> version; // the reader's firmware version
};

// A port the system reports: its COM number, its device, and for a USB adapter the
// maker and product from the device database.
struct PortEntry {
    int com = 0;
    std::string device;
    std::string maker;
    std::string product;
};

// What a text shown during a run is in the window.
enum class Shown {
    Notice,
    Message,    // a box with an OK button
    Question,   // the model confirmation, answered by --model
    Status,     // the status line
    ReaderInfo, // the reader information line
    Warning,    // the command line's own: Ctrl-C during the transfer
    Fault,      // an exception that ended the run
};

// Where a run reports. The Ctrl-C watcher writes warnings from its own thread, so
// every event is written whole under one lock.
class Output {
public:
    virtual ~Output() = default;

    void Log(const std::string& line);
    void Show(Shown kind, const std::string& text);
    void Progress(std::int64_t sent, std::int64_t total);
    void Port(const PortEntry& port);
    void Result(const RunResult& result);

protected:
    virtual void WriteLog(const std::string& line) = 0;
    virtual void WriteShown(Shown kind, const std::string& text) = 0;
    virtual void WriteProgress(std::int64_t sent, std::int64_t total) = 0;
    virtual void WritePort(const PortEntry& port) = 0;
    virtual void WriteResult(const RunResult& result) = 0;

private:
    std::mutex mutex;
};
