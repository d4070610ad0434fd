#pragma once

// The commands a RIVI reader knows, told apart by their first bytes.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace sim {

enum class Command {
    Info,        // FF 0C
    Version,     // FF 04
    Query16,     // 16: version text, or the information text for readers that answer FF 0C bare
    MsrState,    // FF 97
    DebugLevel,  // FF 98 <level>
    StoreKey,    // FF 08 <16 key bytes>
    AuthStep1,   // FF 09 01
    AuthStep2,   // FF 09 02 <32 enciphered bytes> <MAC>
    AuthStep3,   // FF 09 03 <48 enciphered bytes> <MAC>
    KeyProof,    // 8E <16 bytes>
    HandOverKey, // 92 <16 key bytes>
    Block,       // F1 <24-bit offset> <256 bytes>
    Finish,      // F2 <1 byte>
    Unknown,
};

Command ClassifyCommand(std::span<const std::uint8_t> request);

// The name a technician types on the command line: the command's leading bytes in
// hexadecimal ("FF0C", "16", "FF0902", "F1"), in either letter case.
std::optional<Command> CommandFromName(std::string_view name);
std::string_view CommandName(Command command);

} // namespace sim
