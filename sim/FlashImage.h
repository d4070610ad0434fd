#pragma once

// The boot loader's flash: blocks land at the offset the host gives them.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace sim {

class FlashImage {
public:
    // The host addresses blocks with 24 bits.
    static constexpr std::uint32_t kAddressLimit = 1u << 24;
    static constexpr std::size_t kBlockSize = 256;

    // Writes one block at offset; bytes never written read 0xFF, as erased flash
    // does. false (nothing written) when the block would pass the address limit.
    bool Write(std::uint32_t offset, std::span<const std::uint8_t> block);
    void Erase();

    std::span<const std::uint8_t> Bytes() const { return bytes_; }
    std::size_t BlocksWritten() const { return blocksWritten_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t blocksWritten_ = 0;
};

} // namespace sim
