#include "sim/VersionMarker.h"
#include "sim/WirePace.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

TEST(ImageVersion, IsTheCodeAfterTheFirstCompleteMarker) {
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"\xFFRIVI-FW-VERSION=160101", "160101"},
        {"RIVI-FW-VERSION=aZ09\xFF", "aZ09"},
        {"RIVI-FW-VERSION=12_34", "12"},
        {"RIVI-FW-VERSION=123456789", "123456"},
        {"xxRIVI-FW-VERSION=7", "7"},
        {"RIVI-FW-VERSION=.RIVI-FW-VERSION=42", "42"},
        {"RIVI-FW-VERSION=A1 RIVI-FW-VERSION=B2", "A1"},
        {"RIVI-FW-VERSION 160101", std::nullopt},
        {"rivi-fw-version=160101", std::nullopt},
        {"RIVI-FW-VERS", std::nullopt},
        {"", std::nullopt}};
    for (const auto& [text, version] : cases) {
        EXPECT_EQ(sim::FindImageVersion(std::vector<std::uint8_t>(text.begin(), text.end())),
                  version)
            << text;
    }
}

// Ten bit times a byte at 115200 baud: 86.806 microseconds.
TEST(WirePace, AnswerWaitsForTheWholeRequestAndEachByteForItsTime) {
    const std::chrono::steady_clock::time_point start{1s};
    EXPECT_EQ(sim::AnswerStart(start, 265, start), start + 265 * 86'806ns);
    EXPECT_EQ(sim::AnswerStart(start, 7, start + 1ms), start + 1ms) << "already arrived";
    EXPECT_EQ(sim::ByteDue(start, 0), start);
    EXPECT_EQ(sim::ByteDue(start, 1152), start + 1152 * 86'806ns);
}

} // namespace
