#include "sim/ReplyWire.h"

#include "readerlink/Frame.h"

namespace sim {

std::vector<std::uint8_t> WireBytes(const Reply& reply) {
    switch (reply.kind) {
    case Reply::Kind::Response:
        return readerlink::EncodeFrame(reply.payload);
    case Reply::Kind::BadFrame: {
        std::vector<std::uint8_t> frame = readerlink::EncodeFrame(reply.payload);
        if (!frame.empty()) {
            frame.back() ^= 0xFF;
        }
        return frame;
    }
    case Reply::Kind::Raw:
        return reply.payload;
    case Reply::Kind::Nak:
        return {readerlink::kNak};
    case Reply::Kind::Silence:
        break;
    }
    return {};
}

} // namespace sim
