#pragma once

// Byte strings written the way the reader's traffic is read: "FF 0C", "00" + text.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace simtest {

using Bytes = std::vector<std::uint8_t>;

// Hexadecimal pairs, blanks between them allowed. A malformed literal aborts the test
// program: it is a mistake in the test itself.
Bytes Hex(std::string_view text);

Bytes Concat(Bytes head, const Bytes& tail);
Bytes Text(std::string_view text);

std::string ToHex(const Bytes& bytes);

} // namespace simtest
