#pragma once

#include "cli/Output.h"
#include "cli/Words.h"

#include <chrono>
#include <ostream>

// Text for people. On a terminal the transfer is one bar, redrawn in place, with
// the firmware bytes sent, the speed and the time left; elsewhere (a file, a pipe)
// progress is a plain line at every tenth of the image. Every line is in the
// command line's language; its last one tells what the exit code means for subcommand.
class TextOutput : public Output {
public:
    TextOutput(std::ostream& out, bool terminal, const Words& words, Subcommand subcommand)
        : out(out), terminal(terminal), words(words), subcommand(subcommand) {}

protected:
    void WriteLog(const std::string& line) override;
    void WriteShown(Shown kind, const std::string& text) override;
    void WriteProgress(std::int64_t sent, std::int64_t total) override;
    void WritePort(const PortEntry& port) override;
    void WriteResult(const RunResult& result) override;

private:
    // A line of its own: the bar, when drawn, is cleared first and drawn again after.
    void WriteLine(const std::string& text);
    std::string Bar() const;

    // The label a shown text is written with.
    const char* LabelOf(Shown kind) const;

    std::ostream& out;
    bool terminal;
    const Words& words;
    Subcommand subcommand;
    std::int64_t sent = 0, total = 0;
    int tenthsWritten = -1;
    bool barDrawn = false;
    std::chrono::steady_clock::time_point started;
};
