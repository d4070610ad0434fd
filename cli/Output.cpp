// see Output.h
#include "cli/Output.h"

void Output::Log(const std::string& line) {
    const std::lock_guard lock(mutex);
    WriteLog(line);
}

void Output::Show(Shown kind, const std::string& text) {
    const std::lock_guard lock(mutex);
    WriteShown(kind, text);
}

void Output::Progress(std::int64_t sent, std::int64_t total) {
    const std::lock_guard lock(mutex);
    WriteProgress(sent, total);
}

void Output::Port(const PortEntry& port) {
    const std::lock_guard lock(mutex);
    WritePort(port);
}

void Output::Result(const RunResult& result) {
    const std::lock_guard lock(mutex);
    WriteResult(result);
}
