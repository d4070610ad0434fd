#pragma once

#include "cli/ExitCodes.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

// The end of a run: how it ended (its exit code and reason follow from that), the
// window's status and notice texts, and what the command found (the reader's
// information text, its version).
struct RunResult {
    Outcome outcome = Outcome::Unexpected;
    std::string status;
    std::string notice;
    std::vector<std::pair<std::string, std::string>> found;
};

// A port the system reports: its COM number, its device, and for a USB adapter the
// maker and product from the device database.
struct PortEntry {
    int com = 0;
    std::string device;
    std::string maker;
    std::string product;
};

// Where a run reports. The Ctrl-C watcher writes warnings from its own thread, so
// every event is written whole under one lock.
class Output {
public:
    virtual ~Output() = default;

    void Log(const std::string& line);
    // kind: "notice", "message", "question", "status", "reader-info", "warning" or
    // "fault" (an exception that ended the run).
    void Shown(const std::string& kind, const std::string& text);
    void Progress(std::int64_t sent, std::int64_t total);
    void Port(const PortEntry& port);
    void Result(const RunResult& result);

protected:
    virtual void WriteLog(const std::string& line) = 0;
    virtual void WriteShown(const std::string& kind, const std::string& text) = 0;
    virtual void WriteProgress(std::int64_t sent, std::int64_t total) = 0;
    virtual void WritePort(const PortEntry& port) = 0;
    virtual void WriteResult(const RunResult& result) = 0;

private:
    std::mutex mutex;
};
