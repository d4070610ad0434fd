#include "security/Hex.h"
#include "tests/security/Support.h"

#include <gtest/gtest.h>

namespace {

TEST(HexToBytes, WritesHalfTheTextLengthByTheConversionRule) {
    const struct {
        std::string text;
        const char* bytes;
    } cases[] = {
        {"ff0A", "FF0A"},
        {"ABC", "AB"}, // an unpaired last character is ignored
        {"", ""},
        {"7", ""},
        {"0123456789abcdefABCDEF", "0123456789ABCDEFABCDEF"},
        {"0G", "10"}, // 'G' is 0x10 by the upper-case rule: 0 * 16 | 0x10
        {"zz", "73"}, // 'z' is 0x43: (0x43 * 16) mod 256 = 0x30, OR 0x43 = 0x73
        {"  ", "F9"}, // ' ' - 0x37 wraps to 0xE9: (0xE9 * 16) mod 256 = 0x90, OR 0xE9 = 0xF9
        {"1 ", "F9"},
        {"g0", "00"}, // 'g' is 0x30 by the fall-through rule
        {"0g", "30"},
        {"#1", "C1"}, // '#' = 0x23 gives 0xEC
        {"\xC3\xA9", "F2"},
        {std::string("\0001", 2), "91"},
        {"pass", "9AFC"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const Bytes expected = FromHex(c.bytes);
        // a guard byte past the expected end must survive: nothing more is written
        Bytes out(expected.size() + 1, 0xA5);
        EXPECT_EQ(HexToBytes(c.text, out.data()), static_cast<int>(expected.size()));
        EXPECT_EQ(ToHex(out.data(), expected.size()), ToHex(expected));
        EXPECT_EQ(out.back(), 0xA5);
    }
}

TEST(BytesToHex, UpperCaseTwoCharactersPerByteAndRoundTripsEveryByte) {
    const unsigned char bytes[] = {0x00, 0x0A, 0xFF, 0x09, 0xAB};
    EXPECT_EQ(BytesToHex(bytes, 5), "000AFF09AB");
    EXPECT_EQ(BytesToHex(bytes, 0), "");
    EXPECT_EQ(BytesToHex(bytes, -1), "");
    // beyond the old work buffer, and every byte value back through HexToBytes
    Bytes all = RandomBytes(5000, 9);
    for (int i = 0; i < 256; ++i) {
        all[i] = static_cast<unsigned char>(i);
    }
    const std::string text = BytesToHex(all.data(), static_cast<int>(all.size()));
    EXPECT_EQ(text, ToHex(all));
    Bytes back(all.size());
    EXPECT_EQ(HexToBytes(text, back.data()), 5000);
    EXPECT_EQ(back, all);
}

TEST(IsHexText, AcceptsOnlyExactLengthHexadecimal) {
    EXPECT_TRUE(IsHexText("0123456789ABCDEF", 16));
    EXPECT_TRUE(IsHexText("0123456789abcdef", 16));
    EXPECT_TRUE(IsHexText("", 0));
    for (const char* text :
         {"0123456789ABCDE", "0123456789ABCDEF0", "0123456789ABCDEG", "0123456789ABCD F"}) {
        EXPECT_FALSE(IsHexText(text, 16)) << text;
    }
}

} // namespace
