#pragma once

// Whatever answers the requests that reach the pseudo-terminal server: the
// simulated reader, or a test's script of exact replies.

#include "sim/Reply.h"

#include <chrono>
#include <cstdint>
#include <span>

namespace sim {

class Responder {
public:
    using Clock = std::chrono::steady_clock;
    using TimePoint = Clock::time_point;

    virtual ~Responder() = default;

    // The reply to one request payload that arrived whole at now.
    virtual Reply Handle(std::span<const std::uint8_t> request, TimePoint now) = 0;

    // Every byte as it comes off the line, before framing, noise included: a
    // script checks the exact wire with it; the reader has no use for it.
    virtual void Heard(std::span<const std::uint8_t> bytes) { (void)bytes; }
};

} // namespace sim
