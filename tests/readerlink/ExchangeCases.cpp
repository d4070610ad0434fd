#include "tests/readerlink/ExchangeCases.h"

#include <gtest/gtest.h>

namespace {

// FF 0C: STX, length 00 02, payload, ETX, LRC 02^FF^0C^03 = F2.
const Bytes kInfoRequest = {0xFF, 0x0C};
const Bytes kInfoRequestFrame = {0x02, 0x00, 0x02, 0xFF, 0x0C, 0x03, 0xF2};
// Response 00 'V' 'A' 'N': LRC 04^00^56^41^4E^03 = 5E.
const Bytes kVanResponse = {0x00, 0x56, 0x41, 0x4E};
const Bytes kVanFrame = {0x02, 0x00, 0x04, 0x00, 0x56, 0x41, 0x4E, 0x03, 0x5E};

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes Sequence(std::size_t count) {
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
    }
    return bytes;
}

} // namespace

std::vector<ExchangeCase> ExchangeCases() {
    const Bytes thousand = Sequence(1000);
    const Bytes thousandAndOne = Sequence(1001);
    return {
        {"WholeFrame", kInfoRequest, kInfoRequestFrame, {kVanFrame}, VQ_OK, kVanResponse},
        {"SingleByteRequest",
         {0x16},
         {0x02, 0x00, 0x01, 0x16, 0x03, 0x14},
         {kVanFrame},
         VQ_OK,
         kVanResponse},
        {"SplitAcrossReads",
         kInfoRequest,
         kInfoRequestFrame,
         {{0x02}, {0x00, 0x04, 0x00}, {0x56, 0x41}, {0x4E, 0x03}, {0x5E}},
         VQ_OK,
         kVanResponse},
        {"NoiseBeforeStx",
         kInfoRequest,
         kInfoRequestFrame,
         {Concat({0xFF, 0x00, 0x03, 0x7E}, kVanFrame)},
         VQ_OK,
         kVanResponse},
        {"BytesAfterFrameIgnored",
         kInfoRequest,
         kInfoRequestFrame,
         {Concat(kVanFrame, {0x02, 0x00})},
         VQ_OK,
         kVanResponse},
        {"BadLrc",
         kInfoRequest,
         kInfoRequestFrame,
         {{0x02, 0x00, 0x04, 0x00, 0x56, 0x41, 0x4E, 0x03, 0x5F}},
         VQ_ERR_MALFORMED,
         {}},
        {"BadEtx",
         kInfoRequest,
         kInfoRequestFrame,
         {{0x02, 0x00, 0x04, 0x00, 0x56, 0x41, 0x4E, 0x04, 0x5E}},
         VQ_ERR_MALFORMED,
         {}},
        {"ZeroLength", kInfoRequest, kInfoRequestFrame, {{0x02, 0x00, 0x00}}, VQ_ERR_MALFORMED, {}},
        {"LengthOverLimit",
         kInfoRequest,
         kInfoRequestFrame,
         {{0x02, 0x10, 0x01}},
         VQ_ERR_MALFORMED,
         {}},
        {"Nak", kInfoRequest, kInfoRequestFrame, {{0x15}}, VQ_ERR_REFUSED, {}},
        {"Silence", kInfoRequest, kInfoRequestFrame, {}, VQ_ERR_TIMEOUT, {}},
        {"StopsMidFrame",
         kInfoRequest,
         kInfoRequestFrame,
         {{0x02, 0x00, 0x04, 0x00, 0x56}},
         VQ_ERR_TIMEOUT,
         {}},
        {"ExactlyCapacity",
         kInfoRequest,
         kInfoRequestFrame,
         {readerlink::EncodeFrame(thousand)},
         VQ_OK,
         thousand},
        {"OneOverCapacity",
         kInfoRequest,
         kInfoRequestFrame,
         {readerlink::EncodeFrame(thousandAndOne)},
         VQ_ERR_TOO_LONG,
         Bytes(thousandAndOne.begin(), thousandAndOne.begin() + 1000)},
        {"LongestFrameOverCapacity",
         kInfoRequest,
         kInfoRequestFrame,
         {readerlink::EncodeFrame(Sequence(4096))},
         VQ_ERR_TOO_LONG,
         Sequence(1000)},
    };
}

void ExpectOutcome(const ExchangeCase& expected, const ExchangeOutcome& outcome) {
    EXPECT_EQ(outcome.code, expected.code);
    ASSERT_EQ(outcome.stored, expected.response.size());
    ASSERT_EQ(outcome.area.size(), VQ_RECEIVE_CAPACITY + kAreaGuard);
    EXPECT_EQ(Bytes(outcome.area.begin(), outcome.area.begin() + static_cast<long>(outcome.stored)),
              expected.response);
    for (std::size_t i = outcome.stored; i < outcome.area.size(); ++i) {
        ASSERT_EQ(outcome.area[i], kUntouched) << "receive area written at " << i;
    }
    // Once and byte for byte: the library never resends on its own.
    EXPECT_EQ(outcome.wire, expected.requestFrame);
}
