#include "security/Hex.h"
#include "tests/support/HexBytes.h"

#include <gtest/gtest.h>

// An unpaired last character is ignored. Outside 0-9 and a-f the upper-case rule runs modulo
// 256: 'G' is 0x10, 'z' 0x43 (0x30 | 0x43 = 0x73), ' ' 0xE9 (0x90 | 0xE9), '#' 0xEC, 'g' 0x30.
// BytesToHex gives upper case for any count, beyond the old work buffer too, and nothing for
// a count of zero or less.
TEST(Hex, HexToBytesFollowsTheConversionRuleAndBytesToHexIsUpperCase) {
    // clang-format off
    const struct {
        std::string text;
        const char* bytes;
    } cases[] = {{"ff0A", "FF0A"}, {"ABC", "AB"}, {"", ""}, {"7", ""},
                 {"0123456789abcdefABCDEF", "0123456789ABCDEFABCDEF"}, {"0G", "10"},
                 {"zz", "73"}, {"  ", "F9"}, {"1 ", "F9"}, {"g0", "00"}, {"0g", "30"},
                 {"#1", "C1"}, {"\xC3\xA9", "F2"}, {std::string("\0001", 2), "91"},
                 {"pass", "9AFC"}};
    // clang-format on
    for (const auto& c : cases) {
        const Bytes expected = FromHex(c.bytes);
        // a guard byte past the expected end must survive: nothing more is written
        Bytes out(expected.size() + 1, 0xA5);
        EXPECT_EQ(HexToBytes(c.text, out.data()), static_cast<int>(expected.size())) << c.text;
        EXPECT_EQ(ToHex(out), ToHex(expected) + "A5") << c.text;
    }
    const Bytes bytes = RandomBytes(5000, 9);
    EXPECT_EQ(BytesToHex(bytes.data(), 5000), ToHex(bytes));
    EXPECT_EQ(BytesToHex(bytes.data(), 1), ToHex(Slice(bytes, 0, 1)));
    EXPECT_EQ(BytesToHex(bytes.data(), 0) + BytesToHex(bytes.data(), -1), "");
}
