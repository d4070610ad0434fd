// Requests that no host sends: the reader must answer each one plainly and let none
// of them write flash, change its key or restart it.

#include "sim/SimulatedReader.h"
#include "tests/sim/TestBytes.h"

#include <gtest/gtest.h>

#include <random>

namespace simtest {
namespace {

using sim::Firmware;
using sim::Reply;

// Random payloads of 1 to 300 bytes, half of them starting with a known command
// code so that they reach the command handlers.
Bytes RandomRequest(std::mt19937& random) {
    static constexpr std::uint8_t kCodes[] = {0xFF, 0x16, 0x8E, 0x92, 0xF1, 0xF2};
    Bytes request(1 + random() % 300);
    for (auto& byte : request) {
        byte = static_cast<std::uint8_t>(random());
    }
    if (random() % 2 == 0) {
        request[0] = kCodes[random() % std::size(kCodes)];
    }
    return request;
}

class Garbage : public testing::TestWithParam<Firmware> {};

TEST_P(Garbage, IsAnsweredAndChangesNothing) {
    sim::ReaderConfig config;
    config.startIn = GetParam();
    config.bootLoaderHoldsKey = false;
    sim::SimulatedReader reader(config);
    const sim::SimulatedReader::TimePoint now{std::chrono::hours(1)};
    std::mt19937 random(20240705);
    for (int i = 0; i < 20000; ++i) {
        const Bytes request = RandomRequest(random);
        // FF 08 and 92 with a key of the right length are real commands: a key
        // changes, so they are no garbage.
        if ((request.size() == 18 && request[0] == 0xFF && request[1] == 0x08) ||
            (request.size() == 17 && request[0] == 0x92)) {
            continue;
        }
        const Reply reply = reader.Handle(request, now);
        ASSERT_TRUE(reply.kind == Reply::Kind::Nak ||
                    (reply.kind == Reply::Kind::Response && !reply.payload.empty()))
            << ToHex(request);
        ASSERT_FALSE(reply.dropLink);
        ASSERT_EQ(reader.RunningFirmware(now), GetParam()) << ToHex(request);
        ASSERT_EQ(reader.Flash().BlocksWritten(), 0u) << ToHex(request);
        ASSERT_FALSE(reader.BootLoaderKey().has_value()) << ToHex(request);
        ASSERT_EQ(reader.VersionCode(), "150803");
    }
}

INSTANTIATE_TEST_SUITE_P(All, Garbage, testing::Values(Firmware::Application, Firmware::BootLoader),
                         [](const auto& info) {
                             return info.param == Firmware::Application ? "Application"
                                                                        : "BootLoader";
                         });

} // namespace
} // namespace simtest
