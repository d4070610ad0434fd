// Requests that no host sends: the reader must answer each one plainly and let none
// of them write flash, change its key or restart it.

#include "tests/sim/TestHost.h"

#include <gtest/gtest.h>

#include <random>

namespace simtest {
namespace {

TEST(Garbage, IsAnsweredAndChangesNothing) {
    for (sim::Firmware firmware : {sim::Firmware::Application, sim::Firmware::BootLoader}) {
        sim::ReaderConfig config;
        config.startIn = firmware;
        config.bootLoaderHoldsKey = false;
        ReaderSession session(config);
        std::mt19937 random(20240705);
        for (int i = 0; i < 20000; ++i) {
            // 1 to 300 random bytes, half of them starting with a known command code
            // so that they reach the command handlers.
            Bytes request(1 + random() % 300);
            for (auto& byte : request) {
                byte = static_cast<std::uint8_t>(random());
            }
            if (random() % 2 == 0) {
                request[0] =
                    std::array<std::uint8_t, 6>{0xFF, 0x16, 0x8E, 0x92, 0xF1, 0xF2}[random() % 6];
            }
            // FF 08 and 92 with a key of the right length change the key: no garbage.
            if ((request.size() == 18 && request[0] == 0xFF && request[1] == 0x08) ||
                (request.size() == 17 && request[0] == 0x92)) {
                continue;
            }
            const sim::Reply reply = session.Send(request);
            ASSERT_TRUE(reply.kind == sim::Reply::Kind::Nak ||
                        (reply.kind == sim::Reply::Kind::Response && !reply.payload.empty()))
                << ToHex(request);
            ASSERT_FALSE(reply.dropLink);
            ASSERT_EQ(session.Running(), firmware) << ToHex(request);
            ASSERT_EQ(session.reader_.Flash().BlocksWritten(), 0u) << ToHex(request);
            ASSERT_FALSE(session.reader_.BootLoaderKey().has_value()) << ToHex(request);
            ASSERT_EQ(session.reader_.VersionCode(), "150803");
        }
    }
}

} // namespace
} // namespace simtest
