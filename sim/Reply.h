#pragma once

// What the simulated reader does with one request.

#include <chrono>
#include <cstdint>
#include <vector>

namespace sim {

struct Reply {
    enum class Kind {
        Response, // a frame around payload
        Nak,      // the single byte NAK
        Silence,  // nothing at all
        BadFrame, // a frame around payload whose LRC is wrong
        Raw,      // payload exactly as it is, no frame: a test's garbage
    };

    Kind kind = Kind::Silence;
    std::vector<std::uint8_t> payload; // response code, then its data
    std::chrono::milliseconds delay{0};
    bool dropLink = false; // the port vanishes once this reply is out

    bool operator==(const Reply&) const = default;
};

} // namespace sim
