#include "sim/FlashImage.h"

#include <algorithm>

namespace sim {

bool FlashImage::Write(std::uint32_t offset, std::span<const std::uint8_t> block) {
    if (offset >= kAddressLimit || block.size() > kAddressLimit - offset) {
        return false;
    }
    std::size_t end = offset + block.size();
    if (bytes_.size() < end) {
        bytes_.resize(end, 0xFF);
    }
    std::copy(block.begin(), block.end(), bytes_.begin() + offset);
    ++blocksWritten_;
    return true;
}

void FlashImage::Erase() {
    bytes_.clear();
    blocksWritten_ = 0;
}

} // namespace sim
