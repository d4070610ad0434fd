#pragma once

#include "cli/Output.h"

#include <ostream>

// One JSON object per line, written as it happens, for scripts: {"event": "log",
// "text": ...}, "progress" with "sent" and "total", "port", the shown texts by kind,
// and last "result" with "exit", "reason" (a stable name of how the run ended),
// "status", "notice", and what was found ("info", "version"). Texts stay UTF-8; control
// characters are escaped.
class JsonOutput : public Output {
public:
    explicit JsonOutput(std::ostream& out) : out(out) {}

protected:
    void WriteLog(const std::string& line) override;
    void WriteShown(Shown kind, const std::string& text) override;
    void WriteProgress(std::int64_t sent, std::int64_t total) override;
    void WritePort(const PortEntry& port) override;
    void WriteResult(const RunResult& result) override;

private:
    std::ostream& out;
};
