#pragma once

#include "readerlink/ByteTransport.h"

#include <chrono>
#include <cstdint>
#include <span>

namespace readerlink {

struct ExchangeResult {
    int code = 0;           // a VQ_Result
    std::size_t stored = 0; // bytes written into the receive area
};

// One request frame out, one response frame in, within timeout after the write.
// At most receive.size() payload bytes are stored; a longer response yields
// VQ_ERR_TOO_LONG with the first receive.size() bytes. request must be 1..4096
// bytes (checked by the caller).
ExchangeResult Exchange(ByteTransport& transport, std::span<const std::uint8_t> request,
                        std::span<std::uint8_t> receive, std::chrono::milliseconds timeout);

} // namespace readerlink
