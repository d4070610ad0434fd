#pragma once

// When bytes would be on a real serial line at 115200 baud, 8N1: ten bit times per
// byte. The pseudo-terminal delivers a request at once; a real reader only sees
// its last byte after the whole frame has crossed the wire, and its answer crosses
// back just as slowly.

#include <chrono>
#include <cstddef>

namespace sim {

inline constexpr std::chrono::nanoseconds kWireByteTime{86'806};

// The earliest moment the answer may start: once the request frame of
// requestBytes that began at frameStart has fully arrived, and not before now.
template <typename TimePoint>
TimePoint AnswerStart(TimePoint frameStart, std::size_t requestBytes, TimePoint now) {
    const auto arrived = frameStart + static_cast<long>(requestBytes) * kWireByteTime;
    return std::chrono::time_point_cast<typename TimePoint::duration>(arrived > now ? arrived
                                                                                    : now);
}

// When byte index of an answer that starts at start goes out.
template <typename TimePoint> TimePoint ByteDue(TimePoint start, std::size_t index) {
    return std::chrono::time_point_cast<typename TimePoint::duration>(
        start + static_cast<long>(index) * kWireByteTime);
}

} // namespace sim
