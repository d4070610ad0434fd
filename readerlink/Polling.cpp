#include "readerlink/Polling.h"

#include "readerlink/Frame.h"
#include "readerlink/VexilonDll.h"

#include <algorithm>
#include <array>

namespace readerlink {

namespace {

using Clock = std::chrono::steady_clock;

int VerdictCode(FrameParser::Status status) {
    switch (status) {
    case FrameParser::Status::Complete:
        return VQ_OK;
    case FrameParser::Status::Refused:
        return VQ_ERR_REFUSED;
    case FrameParser::Status::BadLength:
    case FrameParser::Status::BadEtx:
    case FrameParser::Status::BadLrc:
        return VQ_ERR_MALFORMED;
    case FrameParser::Status::NeedMore:
        break;
    }
    return VQ_ERR_TIMEOUT;
}

ExchangeResult StorePayload(std::span<const std::uint8_t> payload,
                            std::span<std::uint8_t> receive) {
    const std::size_t stored = std::min(payload.size(), receive.size());
    std::copy_n(payload.begin(), stored, receive.begin());
    return {payload.size() > receive.size() ? VQ_ERR_TOO_LONG : VQ_OK, stored};
}

} // namespace

ExchangeResult Exchange(ByteTransport& transport, std::span<const std::uint8_t> request,
                        std::span<std::uint8_t> receive, std::chrono::milliseconds timeout) {
    const std::vector<std::uint8_t> frame = EncodeFrame(request);
    if (transport.Gone()) {
        return {VQ_ERR_PORT_LOST, 0};
    }
    transport.DiscardInput();
    if (frame.empty() || !transport.WriteAll(frame)) {
        return {transport.Gone() ? VQ_ERR_PORT_LOST : VQ_ERR_WRITE_FAILED, 0};
    }

    const Clock::time_point deadline = Clock::now() + timeout;
    FrameParser parser;
    std::array<std::uint8_t, 512> chunk{};
    // The deadline is checked after each chunk, so a peer that floods the line
    // with noise cannot hold the caller past its time-out.
    do {
        const auto left =
            std::max(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()),
                     std::chrono::milliseconds(0));
        const ByteTransport::ReadResult read = transport.ReadSome(chunk, left);
        if (read.failed) {
            return {VQ_ERR_PORT_LOST, 0};
        }
        if (read.count == 0) {
            return {VQ_ERR_TIMEOUT, 0};
        }
        for (std::size_t i = 0; i < read.count; ++i) {
            const FrameParser::Status status = parser.Feed(chunk[i]);
            if (status == FrameParser::Status::Complete) {
                return StorePayload(parser.Payload(), receive);
            }
            if (status != FrameParser::Status::NeedMore) {
                return {VerdictCode(status), 0};
            }
        }
    } while (Clock::now() < deadline);
    return {VQ_ERR_TIMEOUT, 0};
}

} // namespace readerlink
