#pragma once

// The wire frame both sides speak:
//   STX 0x02 | LEN_HI | LEN_LO | payload (LEN bytes, 1..4096) | ETX 0x03 | LRC
// LRC is the XOR of every byte from LEN_HI to ETX inclusive. A peer that refuses
// a frame answers the single byte NAK 0x15 instead of a frame.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace readerlink {

inline constexpr std::uint8_t kStx = 0x02;
inline constexpr std::uint8_t kEtx = 0x03;
inline constexpr std::uint8_t kNak = 0x15;
inline constexpr std::size_t kMinPayload = 1;
inline constexpr std::size_t kMaxPayload = 4096;
// STX, two length bytes, ETX and LRC around the payload.
inline constexpr std::size_t kFrameOverhead = 5;

// The complete frame around payload, or an empty vector when the payload length
// is outside 1..4096 (such a frame cannot be expressed on the wire).
std::vector<std::uint8_t> EncodeFrame(std::span<const std::uint8_t> payload);

// Reads a frame one byte at a time, as bytes trickle in from the port.
class FrameParser {
public:
    enum class Status {
        NeedMore, // no verdict yet: feed the next byte
        Complete, // Payload() holds a frame whose ETX and LRC were right
        Refused,  // a NAK arrived where a frame should start
        BadLength,
        BadEtx,
        BadLrc,
    };

    // Bytes before STX are skipped (line noise, leftovers of an earlier answer).
    // After any verdict other than NeedMore the next byte starts a new frame.
    Status Feed(std::uint8_t byte);

    // The payload of the last Complete frame; empty otherwise.
    std::span<const std::uint8_t> Payload() const;

    void Reset();

private:
    enum class Stage { Hunting, LengthHigh, LengthLow, Payload, Etx, Lrc, Done };

    Status Finish(Status verdict);

    Stage stage_ = Stage::Hunting;
    std::size_t expectedLength_ = 0;
    std::uint8_t lrc_ = 0;
    std::vector<std::uint8_t> payload_;
    bool complete_ = false;
};

} // namespace readerlink
