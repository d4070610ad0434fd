#pragma once

// What the simulated reader does with one request.

#include <chrono>
#include <cstdint>
#include <optional>
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
    // With dropLink: the port is back under the same name this long after the reply,
    // as a reader on a USB link of its own re-enumerates. Empty: as the server is told.
    std::optional<std::chrono::milliseconds> backAfter;

    bool operator==(const Reply&) const = default;
};

} // namespace sim
