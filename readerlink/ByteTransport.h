#pragma once

// The byte stream the exchange talks to: the serial port in the library, a
// scripted fake in tests.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>

namespace readerlink {

class ByteTransport {
public:
    struct ReadResult {
        std::size_t count = 0; // 0 with failed == false: the wait passed in silence
        bool failed = false;   // the device went away
    };

    virtual ~ByteTransport() = default;

    // Drops whatever arrived before the request, so an old answer is never taken
    // for the new one.
    virtual void DiscardInput() = 0;

    // Hands every byte to the device; false when that is not possible.
    virtual bool WriteAll(std::span<const std::uint8_t> bytes) = 0;

    // Returns as soon as at least one byte arrived (up to buffer.size()), or when
    // wait has passed without any.
    virtual ReadResult ReadSome(std::span<std::uint8_t> buffer, std::chrono::milliseconds wait) = 0;

    // True once the device behind the port was seen gone (unplugged adapter, hang-up):
    // nothing written to it can arrive any more, so no exchange waits for an answer.
    virtual bool Gone() const { return false; }
};

} // namespace readerlink
