#include "download/BlockTransfer.h"
#include "framework/Clock.h"

#include "tests/download/NamedCase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using downloadtest::CaseName;
using downloadtest::NamedCase;
using Bytes = std::vector<std::uint8_t>;

// What the reader-link exchange would store: a response of length bytes, code first.
struct Response {
    std::int32_t length;
    unsigned char code;
    bool storesCode = true; // false: the length is set but rxBuffer is left alone
};
constexpr Response kBlockOk{1, 0xBE};
constexpr Response kRefusedByCode{1, 0xFF};

// Records every command as its full frame (code, then data) and answers from a rule.
class ScriptedReader {
public:
    std::function<Response(const Bytes& frame)> answer = [](const Bytes&) { return kBlockOk; };
    std::vector<Bytes> frames;

    CommandSender Sender(ReaderState& state) {
        return [this, &state](unsigned char code, const unsigned char* data, int dataLength) {
            Bytes frame(static_cast<std::size_t>(dataLength) + 1);
            frame[0] = code;
            std::copy_n(data, dataLength, frame.begin() + 1);
            frames.push_back(frame);
            const Response response = answer(frame);
            state.rxLength = response.length;
            if (response.length > 0 && response.storesCode) {
                state.rxBuffer[0] = response.code;
            }
        };
    }

    std::vector<Bytes> FramesWithCode(unsigned char code) const {
        std::vector<Bytes> found;
        for (const Bytes& frame : frames) {
            if (frame[0] == code) {
                found.push_back(frame);
            }
        }
        return found;
    }
};

struct RecordedProgress : ProgressSink {
    std::vector<std::pair<std::int32_t, std::int32_t>> starts;
    std::vector<std::int32_t> accepted;
    void BlockStarting(std::int32_t offset, std::int32_t total) override {
        starts.emplace_back(offset, total);
    }
    void BlockAccepted(std::int32_t nextOffset) override { accepted.push_back(nextOffset); }
};

Bytes Pattern(std::size_t length) {
    Bytes bytes(length);
    for (std::size_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<std::uint8_t>((i * 31 + i / 256) & 0xFF);
    }
    return bytes;
}

std::int32_t FrameOffset(const Bytes& frame) {
    return (frame[1] << 16) | (frame[2] << 8) | frame[3];
}

class Transfer : public testing::Test {
protected:
    bool SendBlocks(const Bytes& image) {
        return SendImageBlocks(
            state, ImageView{image.data(), static_cast<std::int32_t>(image.size())},
            BlockTotal(static_cast<std::int32_t>(image.size())), reader.Sender(state), progress);
    }

    VirtualClock clock;
    ScopedClock scopedClock{clock};
    ReaderState state;
    ScriptedReader reader;
    RecordedProgress progress;
};

struct TotalCase : NamedCase {
    std::int32_t length;
    std::int32_t total;
};

class BlockTotals : public testing::TestWithParam<TotalCase> {};

TEST_P(BlockTotals, RoundUpToWholeBlocks) {
    EXPECT_EQ(BlockTotal(GetParam().length), GetParam().total);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, BlockTotals,
    testing::Values(TotalCase{"OneByte", 1, 256}, TotalCase{"OneBlock", 256, 256},
                    TotalCase{"OneMore", 257, 512}, TotalCase{"Thousand", 1000, 1024},
                    TotalCase{"SeventyThousand", 70000, 70144},
                    TotalCase{"LargestImage", (1 << 24) - 256, (1 << 24) - 256},
                    TotalCase{"OneMoreReachesTheOffsetLimit", (1 << 24) - 255, 1 << 24}),
    CaseName<TotalCase>);

struct ImageCase : NamedCase {
    std::size_t size;
    std::int32_t total;
    unsigned char finishByte; // offset bits 23..16 of the last (all-FF) block
};

class ImageOnTheWire : public Transfer, public testing::WithParamInterface<ImageCase> {};

TEST_P(ImageOnTheWire, BlocksCarryTheFileThenFillThenOneExtraBlock) {
    const ImageCase& c = GetParam();
    const Bytes image = Pattern(c.size);
    ASSERT_TRUE(SendBlocks(image));

    const std::size_t blockCount = static_cast<std::size_t>(c.total / kBlockSize) + 1;
    ASSERT_EQ(reader.frames.size(), blockCount);
    for (std::size_t i = 0; i < blockCount; ++i) {
        const Bytes& frame = reader.frames[i];
        const std::int32_t offset = static_cast<std::int32_t>(i) * kBlockSize;
        ASSERT_EQ(frame.size(), 260u);
        EXPECT_EQ(frame[0], 0xF1);
        EXPECT_EQ(FrameOffset(frame), offset);
        for (std::int32_t k = 0; k < kBlockSize; ++k) {
            const std::size_t at = static_cast<std::size_t>(offset + k);
            const std::uint8_t expected = at < image.size() ? image[at] : 0xFF;
            ASSERT_EQ(frame[4 + k], expected) << "block " << offset << " byte " << k;
        }
    }
    EXPECT_EQ(FrameOffset(reader.frames.back()), c.total) << "the extra block lies at total";

    ASSERT_TRUE(SendFinishCommand(state, reader.Sender(state)));
    EXPECT_EQ(reader.frames.back(), (Bytes{0xF2, c.finishByte}));
    EXPECT_EQ(clock.TotalSlept(), 0u) << "no pause without a refusal";
}

TEST_P(ImageOnTheWire, ProgressFollowsEveryBlockPastTheTotal) {
    const ImageCase& c = GetParam();
    ASSERT_TRUE(SendBlocks(Pattern(c.size)));
    const std::size_t blockCount = static_cast<std::size_t>(c.total / kBlockSize) + 1;
    ASSERT_EQ(progress.starts.size(), blockCount);
    ASSERT_EQ(progress.accepted.size(), blockCount);
    for (std::size_t i = 0; i < blockCount; ++i) {
        EXPECT_EQ(progress.starts[i].first, static_cast<std::int32_t>(i) * kBlockSize);
        EXPECT_EQ(progress.starts[i].second, c.total);
        EXPECT_EQ(progress.accepted[i], static_cast<std::int32_t>(i + 1) * kBlockSize);
    }
    EXPECT_EQ(progress.accepted.back(), c.total + kBlockSize);
}

INSTANTIATE_TEST_SUITE_P(Images, ImageOnTheWire,
                         testing::Values(ImageCase{"Bytes1000", 1000, 1024, 0x00},
                                         ImageCase{"Bytes512", 512, 512, 0x00},
                                         ImageCase{"Bytes70000", 70000, 70144, 0x01},
                                         ImageCase{"OneByte", 1, 256, 0x00},
                                         ImageCase{"JustBelow64KiB", 65280, 65280, 0x00},
                                         ImageCase{"Exactly64KiB", 65536, 65536, 0x01},
                                         ImageCase{"OneBelow64KiB", 65535, 65536, 0x01}),
                         CaseName<ImageCase>);

// Byte 0 of rxBuffer is preset to FF before each try, so an exchange that stores no
// code is refused even with a plausible length.
struct ResponseCase : NamedCase {
    Response response;
    bool accepted;
};

class ResponseAcceptance : public Transfer, public testing::WithParamInterface<ResponseCase> {};

TEST_P(ResponseAcceptance, DecidesWhetherTheSameOffsetIsSentAgain) {
    const ResponseCase& c = GetParam();
    bool first = true;
    reader.answer = [&](const Bytes&) {
        if (!first) {
            return kBlockOk;
        }
        first = false;
        return c.response;
    };
    const Bytes image = Pattern(10);
    ASSERT_TRUE(SendBlocks(image));
    ASSERT_GE(reader.frames.size(), 2u);
    const std::int32_t secondOffset = FrameOffset(reader.frames[1]);
    EXPECT_EQ(secondOffset, c.accepted ? 256 : 0);
    EXPECT_EQ(clock.TotalSlept(), c.accepted ? 0u : 200u);
}

INSTANTIATE_TEST_SUITE_P(Responses, ResponseAcceptance,
                         testing::Values(ResponseCase{"CodeBE", {1, 0xBE}, true},
                                         ResponseCase{"Code00", {1, 0x00}, true},
                                         ResponseCase{"Length255", {255, 0xBE}, true},
                                         ResponseCase{"Length256", {256, 0xBE}, false},
                                         ResponseCase{"Empty", {0, 0xBE}, false},
                                         ResponseCase{"CodeFF", kRefusedByCode, false},
                                         ResponseCase{"OtherCode", {1, 0x01}, false},
                                         ResponseCase{"NothingStored", {1, 0x00, false}, false}),
                         CaseName<ResponseCase>);

// Refusals of the block at one offset, counted per block.
struct RetryCase : NamedCase {
    std::vector<std::int32_t> refusedOffsets;
    int refusalsPerBlock;
    bool succeeds;
};

class BlockRetries : public Transfer, public testing::WithParamInterface<RetryCase> {};

TEST_P(BlockRetries, EachBlockGetsSixTries) {
    const RetryCase& c = GetParam();
    std::map<std::int32_t, int> refused;
    reader.answer = [&](const Bytes& frame) {
        const std::int32_t offset = FrameOffset(frame);
        for (std::int32_t target : c.refusedOffsets) {
            if (offset == target && refused[offset] < c.refusalsPerBlock) {
                ++refused[offset];
                return kRefusedByCode;
            }
        }
        return kBlockOk;
    };
    const Bytes image = Pattern(1000);
    EXPECT_EQ(SendBlocks(image), c.succeeds);

    const int tries = std::min(c.refusalsPerBlock + 1, kBlockTries);
    for (std::int32_t target : c.refusedOffsets) {
        std::vector<Bytes> sent;
        for (const Bytes& frame : reader.frames) {
            if (FrameOffset(frame) == target) {
                sent.push_back(frame);
            }
        }
        if (!c.succeeds && target != c.refusedOffsets.front()) {
            EXPECT_TRUE(sent.empty()) << "nothing after the block that failed";
            continue;
        }
        ASSERT_EQ(sent.size(), static_cast<std::size_t>(tries)) << "offset " << target;
        for (const Bytes& again : sent) {
            EXPECT_EQ(again, sent.front()) << "a resent block is byte-identical";
        }
    }
    const int totalRefusals =
        c.succeeds ? c.refusalsPerBlock * static_cast<int>(c.refusedOffsets.size()) : kBlockTries;
    EXPECT_EQ(clock.TotalSlept(), static_cast<DWORD>(totalRefusals) * kFailedBlockPauseMs);
    if (!c.succeeds) {
        EXPECT_EQ(FrameOffset(reader.frames.back()), c.refusedOffsets.front());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, BlockRetries,
    testing::Values(RetryCase{"AcceptedAtSecondTry", {256}, 1, true},
                    RetryCase{"AcceptedAtSixthTry", {256}, 5, true},
                    RetryCase{"RefusedSixTimes", {256}, 6, false},
                    RetryCase{"FirstBlockRefusedSixTimes", {0}, 6, false},
                    RetryCase{"ExtraBlockRefusedSixTimes", {1024}, 6, false},
                    RetryCase{"CountRestartsForEveryBlock", {0, 512, 1024}, 5, true},
                    RetryCase{"LaterBlocksNotSentAfterFailure", {512, 768}, 6, false}),
    CaseName<RetryCase>);

struct FinishCase : NamedCase {
    int refusals;
    bool succeeds;
    std::size_t frames;
};

class FinishRetries : public Transfer, public testing::WithParamInterface<FinishCase> {};

TEST_P(FinishRetries, FiveTriesWithoutPause) {
    const FinishCase& c = GetParam();
    ASSERT_TRUE(SendBlocks(Pattern(70000)));
    reader.frames.clear();
    int refused = 0;
    reader.answer = [&](const Bytes&) {
        return refused++ < c.refusals ? kRefusedByCode : Response{1, 0x00};
    };
    EXPECT_EQ(SendFinishCommand(state, reader.Sender(state)), c.succeeds);
    ASSERT_EQ(reader.frames.size(), c.frames);
    for (const Bytes& frame : reader.frames) {
        EXPECT_EQ(frame, (Bytes{0xF2, 0x01})) << "the stale byte 1 goes out every time";
    }
    EXPECT_EQ(clock.TotalSlept(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Refusals, FinishRetries,
                         testing::Values(FinishCase{"AcceptedAtOnce", 0, true, 1},
                                         FinishCase{"AcceptedAtFifthTry", 4, true, 5},
                                         FinishCase{"RefusedFiveTimes", 5, false, 5}),
                         CaseName<FinishCase>);

TEST_F(Transfer, FinishRepeatsWhateverByteOneHolds) {
    // After a refused and abandoned transfer byte 1 still holds that block's offset.
    std::memset(state.txBuffer, 0, sizeof state.txBuffer);
    state.txBuffer[1] = 0x7E;
    ASSERT_TRUE(SendFinishCommand(state, reader.Sender(state)));
    EXPECT_EQ(reader.frames.back(), (Bytes{0xF2, 0x7E}));
}

struct UnsendableCase : NamedCase {
    std::int32_t length;
    std::int32_t total;
};

class UnsendableImage : public Transfer, public testing::WithParamInterface<UnsendableCase> {};

TEST_P(UnsendableImage, IsRefusedBeforeAnyFrame) {
    const UnsendableCase& c = GetParam();
    const Bytes image = Pattern(static_cast<std::size_t>(std::max(c.length, 0)));
    EXPECT_FALSE(SendImageBlocks(state, ImageView{image.data(), c.length}, c.total,
                                 reader.Sender(state), progress));
    EXPECT_TRUE(reader.frames.empty());
    EXPECT_TRUE(progress.starts.empty());
}

// An extra block at 16 MiB would carry the offset 00 00 00 and wipe the first block.
INSTANTIATE_TEST_SUITE_P(Totals, UnsendableImage,
                         testing::Values(UnsendableCase{"TotalAtTheOffsetLimit", 1000, 1 << 24},
                                         UnsendableCase{"TotalPastTheOffsetLimit", 1000, 1 << 25},
                                         UnsendableCase{"TotalShorterThanImage", 1000, 512},
                                         UnsendableCase{"NegativeLength", -1, 0}),
                         CaseName<UnsendableCase>);

} // namespace
