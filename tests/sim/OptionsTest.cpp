#include "sim/Options.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

namespace {

// The blank-separated words of text, after a program folder.
sim::ParsedCommandLine Parse(const std::string& text) {
    std::istringstream stream("--program-folder /tmp/brimlet " + text);
    const std::vector<std::string> words{std::istream_iterator<std::string>(stream), {}};
    return sim::ParseCommandLine(std::vector<std::string_view>(words.begin(), words.end()));
}

TEST(Options, AdapterLatencyIsTaken) {
    EXPECT_EQ(Parse("--latency-ms 16").options.latency, std::chrono::milliseconds(16));
}

TEST(Options, BadOnesAreRefusedWithAClearMessage) {
    const std::pair<std::string, const char*> cases[] = {
        {"--port 0", "--port: \"0\" is not a number from 1 to 255"},
        {"--port 256", "from 1 to 255"},
        {"--port", "--port needs a value"},
        {"--colour red", "unknown option \"--colour\""},
        {"--model " + std::string(65, 'M'), "--model"},
        {"--serial S_1", "without blanks or \"_\""},
        {"--version-code 1234567", "1-6 letters or digits"},
        {"--start-in bios", "neither boot nor app"},
        {"--info-quirk empty", "not code-only"},
        {"--restart-ms soon", "--restart-ms: \"soon\" is not a number"},
        {"--download-key 0011", "32 hexadecimal"},
        {"--refuse-auth 4", "from 1 to 3"},
        {"--refuse-proof twice", "neither once nor always"},
        {"--refuse-blocks 2@0x1000000", "--refuse-blocks"},
        {"--refuse-with ack", "neither ff nor nak"},
        {"--vanish-after F1*0", "--vanish-after"},
        {"--vanish-after all", "not a command"},
        {"--latency-ms 1001", "--latency-ms: \"1001\" is not a number from 0 to 1000"},
        {"--silence FF99", "neither \"all\" nor"},
        {"--delay FF97", "lacks \":MS\""},
        {"--delay all:600001", "--delay"}};
    for (const auto& [arguments, message] : cases) {
        EXPECT_NE(Parse(arguments).error.find(message), std::string::npos)
            << arguments << ": " << Parse(arguments).error;
    }
}

} // namespace
