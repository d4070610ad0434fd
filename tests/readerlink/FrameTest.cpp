#include "readerlink/Frame.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using readerlink::EncodeFrame;
using readerlink::FrameParser;
using Bytes = std::vector<std::uint8_t>;
using Status = FrameParser::Status;

struct EncodeCase {
    const char* name;
    Bytes payload;
    Bytes frame; // worked out by hand: LRC = LEN_HI ^ LEN_LO ^ payload ^ ETX
};

void PrintTo(const EncodeCase& c, std::ostream* out) {
    *out << c.name;
}

class EncodeFrameTest : public testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeFrameTest, ProducesExactBytes) {
    EXPECT_EQ(EncodeFrame(GetParam().payload), GetParam().frame);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, EncodeFrameTest,
    testing::Values(
        EncodeCase{"SingleByte16", {0x16}, {0x02, 0x00, 0x01, 0x16, 0x03, 0x14}},
        EncodeCase{"InfoRequestFF0C", {0xFF, 0x0C}, {0x02, 0x00, 0x02, 0xFF, 0x0C, 0x03, 0xF2}},
        EncodeCase{"PayloadHoldsControlBytes",
                   {0x02, 0x03, 0x15},
                   {0x02, 0x00, 0x03, 0x02, 0x03, 0x15, 0x03, 0x14}},
        EncodeCase{"EmptyIsRefused", {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EncodeFrameLimits, LongestPayloadCarriesLengthBigEndian) {
    const Bytes frame = EncodeFrame(Bytes(4096, 0x00));
    ASSERT_EQ(frame.size(), 4096u + readerlink::kFrameOverhead);
    EXPECT_EQ(frame[1], 0x10);
    EXPECT_EQ(frame[2], 0x00);
    EXPECT_EQ(frame[4099], 0x03);
    EXPECT_EQ(frame[4100], 0x10 ^ 0x03);
}

TEST(EncodeFrameLimits, PayloadOverLimitIsRefused) {
    EXPECT_TRUE(EncodeFrame(Bytes(4097, 0x41)).empty());
}

struct ParseCase {
    const char* name;
    Bytes wire;
    Status lastStatus; // the verdict after the last byte
    Bytes payload;
};

void PrintTo(const ParseCase& c, std::ostream* out) {
    *out << c.name;
}

class FrameParserTest : public testing::TestWithParam<ParseCase> {};

TEST_P(FrameParserTest, GivesVerdictOnLastByteOnly) {
    FrameParser parser;
    const ParseCase& c = GetParam();
    for (std::size_t i = 0; i + 1 < c.wire.size(); ++i) {
        ASSERT_EQ(parser.Feed(c.wire[i]), Status::NeedMore) << "byte " << i;
    }
    EXPECT_EQ(parser.Feed(c.wire.back()), c.lastStatus);
    EXPECT_EQ(Bytes(parser.Payload().begin(), parser.Payload().end()), c.payload);
}

INSTANTIATE_TEST_SUITE_P(
    Verdicts, FrameParserTest,
    testing::Values(ParseCase{"Plain",
                              {0x02, 0x00, 0x02, 0x00, 0x41, 0x03, 0x40},
                              Status::Complete,
                              {0x00, 0x41}},
                    ParseCase{"NoiseBeforeStx",
                              {0xFF, 0x00, 0x03, 0x02, 0x00, 0x01, 0x00, 0x03, 0x02},
                              Status::Complete,
                              {0x00}},
                    ParseCase{"NakInsidePayloadIsData",
                              {0x02, 0x00, 0x01, 0x15, 0x03, 0x17},
                              Status::Complete,
                              {0x15}},
                    ParseCase{"NakAlone", {0x15}, Status::Refused, {}},
                    ParseCase{"NakAfterNoise", {0xAA, 0x15}, Status::Refused, {}},
                    ParseCase{"ZeroLength", {0x02, 0x00, 0x00}, Status::BadLength, {}},
                    ParseCase{"LengthOverLimit", {0x02, 0x10, 0x01}, Status::BadLength, {}},
                    ParseCase{"WrongEtx", {0x02, 0x00, 0x01, 0x00, 0x04}, Status::BadEtx, {}},
                    ParseCase{"WrongLrc", {0x02, 0x00, 0x01, 0x00, 0x03, 0x03}, Status::BadLrc, {}},
                    ParseCase{"LrcMustNotCoverStx",
                              {0x02, 0x00, 0x01, 0x00, 0x03, 0x02 ^ 0x01 ^ 0x03},
                              Status::BadLrc,
                              {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FrameParserSequence, NextByteAfterVerdictStartsANewFrame) {
    FrameParser parser;
    const Bytes wire = {0x02, 0x00, 0x01, 0x00, 0x04, 0x02, 0x00, 0x01, 0x7F, 0x03, 0x7D};
    std::vector<Status> verdicts;
    for (std::uint8_t byte : wire) {
        const Status status = parser.Feed(byte);
        if (status != Status::NeedMore) {
            verdicts.push_back(status);
        }
    }
    EXPECT_EQ(verdicts, (std::vector<Status>{Status::BadEtx, Status::Complete}));
    EXPECT_EQ(Bytes(parser.Payload().begin(), parser.Payload().end()), Bytes{0x7F});
}

// Random payloads of every size class, with random noise in front, must come
// back unchanged; a single flipped bit in payload, ETX or LRC must never pass.
class FrameRoundTrip : public testing::Test {
protected:
    std::mt19937 random_{20240705};

    Bytes RandomBytes(std::size_t count) {
        std::uniform_int_distribution<int> byte(0, 255);
        Bytes bytes(count);
        for (auto& b : bytes) {
            b = static_cast<std::uint8_t>(byte(random_));
        }
        return bytes;
    }

    std::size_t RandomLength() {
        std::uniform_int_distribution<std::size_t> length(1, readerlink::kMaxPayload);
        return length(random_);
    }

    static Status FeedAll(FrameParser& parser, const Bytes& wire) {
        Status last = Status::NeedMore;
        for (std::uint8_t byte : wire) {
            last = parser.Feed(byte);
            if (last != Status::NeedMore) {
                break;
            }
        }
        return last;
    }
};

TEST_F(FrameRoundTrip, RandomFramesDecodeToTheirPayload) {
    for (int round = 0; round < 300; ++round) {
        const Bytes payload =
            RandomBytes(round < 20 ? static_cast<std::size_t>(round + 1) : RandomLength());
        Bytes wire = RandomBytes(round % 7);
        std::erase_if(
            wire, [](std::uint8_t b) { return b == readerlink::kStx || b == readerlink::kNak; });
        const Bytes frame = EncodeFrame(payload);
        wire.insert(wire.end(), frame.begin(), frame.end());

        FrameParser parser;
        ASSERT_EQ(FeedAll(parser, wire), Status::Complete) << "round " << round;
        ASSERT_EQ(Bytes(parser.Payload().begin(), parser.Payload().end()), payload)
            << "round " << round;
    }
}

TEST_F(FrameRoundTrip, AnyFlippedBitAfterTheLengthIsCaught) {
    for (int round = 0; round < 200; ++round) {
        Bytes frame = EncodeFrame(RandomBytes(1 + round % 40));
        std::uniform_int_distribution<std::size_t> position(3, frame.size() - 1);
        std::uniform_int_distribution<int> bit(0, 7);
        const std::size_t at = position(random_);
        frame[at] ^= static_cast<std::uint8_t>(1u << bit(random_));

        FrameParser parser;
        const Status status = FeedAll(parser, frame);
        ASSERT_TRUE(status == Status::BadEtx || status == Status::BadLrc)
            << "round " << round << " byte " << at << " status " << static_cast<int>(status);
        ASSERT_TRUE(parser.Payload().empty());
    }
}

} // namespace
