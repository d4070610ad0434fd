#pragma once

// The reader-sim command line: every setting of the reader and of its port, each
// checked, so that a mistyped option stops the program with a clear message
// instead of playing a reader nobody asked for.

#include "sim/ReaderConfig.h"

#include <chrono>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace sim {

struct SimOptions {
    ReaderConfig reader;
    std::filesystem::path programFolder;
    int port = 7;
    bool pace = false;
    bool log = false;
    int returnPort = 0; // after vanishing, back as this COM port; 0: gone for good
    std::chrono::milliseconds returnAfter{1000};
    std::chrono::milliseconds latency{0};
};

struct ParsedCommandLine {
    SimOptions options;
    bool help = false;
    std::string error; // empty when the command line is sound
};

// arguments without the program name.
ParsedCommandLine ParseCommandLine(std::span<const std::string_view> arguments);

std::string_view UsageText();

} // namespace sim
