// The reader-link frame parser fed whatever comes off the line, one byte at a time.

#include "fuzz/Check.h"
#include "readerlink/Frame.h"

#include <algorithm>

using readerlink::FrameParser;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FrameParser parser;
    for (std::size_t i = 0; i < size; ++i) {
        if (parser.Feed(data[i]) != FrameParser::Status::Complete) {
            FUZZ_CHECK(parser.Payload().empty());
            continue;
        }
        // A frame the parser accepts is the one the encoder writes for its payload,
        // and it ends at the byte that completed it.
        const auto payload = parser.Payload();
        FUZZ_CHECK(payload.size() >= readerlink::kMinPayload &&
                   payload.size() <= readerlink::kMaxPayload);
        const std::vector<std::uint8_t> frame = readerlink::EncodeFrame(payload);
        FUZZ_CHECK(frame.size() <= i + 1);
        FUZZ_CHECK(std::equal(frame.begin(), frame.end(), data + i + 1 - frame.size()));
    }

    // Whatever payload the encoder takes, a fresh parser reads back whole at the last byte.
    const std::vector<std::uint8_t> frame = readerlink::EncodeFrame({data, size});
    FUZZ_CHECK(frame.empty() == (size < readerlink::kMinPayload || size > readerlink::kMaxPayload));
    parser.Reset();
    for (std::size_t i = 0; i < frame.size(); ++i) {
        const FrameParser::Status status = parser.Feed(frame[i]);
        FUZZ_CHECK((status == FrameParser::Status::Complete) == (i + 1 == frame.size()));
    }
    if (!frame.empty()) {
        FUZZ_CHECK(std::equal(data, data + size, parser.Payload().begin(), parser.Payload().end()));
    }
    return 0;
}
