// reader-sim: a RIVI reader on a pseudo-terminal, for the tests, the benchmarks and
// the demo. See --help.

#include "sim/Options.h"
#include "sim/PtyReader.h"

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

namespace {

sim::PtyReader* servedReader = nullptr;
volatile std::sig_atomic_t stopRequested = 0;

void OnStopSignal(int) {
    stopRequested = 1;
    if (servedReader != nullptr) {
        servedReader->RequestStop();
    }
}

void LogLine(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const sim::ParsedCommandLine parsed = sim::ParseCommandLine(arguments);
    if (parsed.help) {
        std::fwrite(sim::UsageText().data(), 1, sim::UsageText().size(), stdout);
        return 0;
    }
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "reader-sim: %s\nTry 'reader-sim --help'.\n", parsed.error.c_str());
        return 2;
    }

    const sim::SimOptions& options = parsed.options;
    sim::PtyOptions ptyOptions{options.programFolder, options.port, options.pace,
                               options.log ? LogLine : nullptr};
    ptyOptions.returnPort = options.returnPort;
    ptyOptions.returnAfter = options.returnAfter;
    ptyOptions.replyLatency = options.latency;
    sim::PtyReader reader(options.reader, ptyOptions);
    // Caught before the link exists, so a stop that comes early still removes it.
    servedReader = &reader;
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    if (const std::optional<std::string> error = reader.Open()) {
        std::fprintf(stderr, "reader-sim: %s\n", error->c_str());
        return 1;
    }

    std::fprintf(stderr, "reader-sim: COM%d is %s (%s)\n", options.port, reader.LinkPath().c_str(),
                 reader.DevicePath().c_str());
    if (stopRequested == 0) {
        reader.Serve();
    }
    reader.Stop();
    servedReader = nullptr;
    std::fprintf(stderr, "reader-sim: %s\n",
                 reader.Vanished() ? "port vanished as told; ending" : "stopped");
    return 0;
}
