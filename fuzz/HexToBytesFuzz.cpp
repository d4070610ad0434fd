// HexToBytes on any text: it writes exactly text.size() / 2 bytes (the buffer here
// is exactly that long, so AddressSanitizer sees one byte more), and hexadecimal
// text converts back and forth without loss.

#include "fuzz/Check.h"
#include "security/Hex.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::size_t count = size / 2;
    const auto bytes = std::make_unique<unsigned char[]>(count);
    FUZZ_CHECK(HexToBytes(text, bytes.get()) == static_cast<int>(count));

    const std::string hex = BytesToHex(bytes.get(), static_cast<int>(count));
    FUZZ_CHECK(hex.size() == 2 * count && IsHexText(hex, hex.size()));
    const auto again = std::make_unique<unsigned char[]>(count);
    FUZZ_CHECK(HexToBytes(hex, again.get()) == static_cast<int>(count));
    FUZZ_CHECK(std::equal(bytes.get(), bytes.get() + count, again.get()));

    if (IsHexText(text, size) && size % 2 == 0) {
        std::string upper = text;
        std::transform(upper.begin(), upper.end(), upper.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        FUZZ_CHECK(hex == upper);
    }
    return 0;
}
