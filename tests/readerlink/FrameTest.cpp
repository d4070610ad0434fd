#include "readerlink/Frame.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using readerlink::EncodeFrame;
using readerlink::FrameParser;
using Bytes = std::vector<std::uint8_t>;
using Status = FrameParser::Status;

// Frames worked out by hand: LRC = LEN_HI ^ LEN_LO ^ payload ^ ETX.
TEST(EncodeFrame, GivesTheExactBytesOrNothingForABadLength) {
    const std::pair<Bytes, Bytes> cases[] = {
        {{0x16}, {0x02, 0x00, 0x01, 0x16, 0x03, 0x14}},
        {{0xFF, 0x0C}, {0x02, 0x00, 0x02, 0xFF, 0x0C, 0x03, 0xF2}},
        {{0x02, 0x03, 0x15}, {0x02, 0x00, 0x03, 0x02, 0x03, 0x15, 0x03, 0x14}},
        {{}, {}},
        {Bytes(4097, 0x41), {}}};
    for (const auto& [payload, frame] : cases) {
        EXPECT_EQ(EncodeFrame(payload), frame) << payload.size() << " bytes";
    }
    const Bytes longest = EncodeFrame(Bytes(4096, 0x00));
    ASSERT_EQ(longest.size(), 4096u + readerlink::kFrameOverhead);
    EXPECT_EQ(Bytes(longest.begin(), longest.begin() + 3), (Bytes{0x02, 0x10, 0x00}));
    EXPECT_EQ(Bytes(longest.end() - 2, longest.end()), (Bytes{0x03, 0x10 ^ 0x03}));
}

Status FeedAll(FrameParser& parser, const Bytes& wire) {
    Status last = Status::NeedMore;
    for (std::size_t i = 0; i < wire.size() && last == Status::NeedMore; ++i) {
        last = parser.Feed(wire[i]);
    }
    return last;
}

// Random payloads of every length, after random noise, come back unchanged; one
// flipped bit in payload, ETX or LRC never passes.
TEST(FrameRoundTrip, RandomFramesComeBackAndNoFlippedBitPasses) {
    std::mt19937 random(20240705);
    const auto randomBytes = [&](std::size_t count) {
        Bytes bytes(count);
        for (auto& byte : bytes) {
            byte = static_cast<std::uint8_t>(random());
        }
        return bytes;
    };
    for (std::size_t round = 0; round < 300; ++round) {
        const Bytes payload =
            randomBytes(round < 20 ? round + 1 : 1 + random() % readerlink::kMaxPayload);
        Bytes wire = randomBytes(round % 7);
        std::erase_if(wire, [](auto b) { return b == readerlink::kStx || b == readerlink::kNak; });
        const Bytes frame = EncodeFrame(payload);
        wire.insert(wire.end(), frame.begin(), frame.end());
        FrameParser parser;
        ASSERT_EQ(FeedAll(parser, wire), Status::Complete) << "round " << round;
        ASSERT_EQ(Bytes(parser.Payload().begin(), parser.Payload().end()), payload)
            << "round " << round;

        Bytes flipped = EncodeFrame(randomBytes(1 + round % 40));
        const std::size_t at = 3 + random() % (flipped.size() - 3);
        flipped[at] ^= static_cast<std::uint8_t>(1u << random() % 8);
        FrameParser checker;
        const Status status = FeedAll(checker, flipped);
        ASSERT_TRUE(status == Status::BadEtx || status == Status::BadLrc)
            << "round " << round << " byte " << at;
        ASSERT_TRUE(checker.Payload().empty());
    }
}

} // namespace
