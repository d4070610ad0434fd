#pragma once

// The bytes a Reply puts on the wire.

#include "sim/Reply.h"

#include <cstdint>
#include <vector>

namespace sim {

// Response: the frame around the payload. BadFrame: the same frame with its LRC
// inverted, so that the host's parser must refuse it. Nak: the byte 15. Raw: the
// payload as it is. Silence: nothing.
std::vector<std::uint8_t> WireBytes(const Reply& reply);

} // namespace sim
