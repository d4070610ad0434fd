#include "security/Hex.h"
#include "tests/security/TestBytes.h"

#include <gtest/gtest.h>

namespace {

struct HexToBytesCase {
    const char* name;
    std::string text;
    const char* bytes;
};

class HexToBytesRule : public testing::TestWithParam<HexToBytesCase> {};

TEST_P(HexToBytesRule, WritesHalfTheTextLengthByTheConversionRule) {
    const std::string& text = GetParam().text;
    const Bytes expected = FromHex(GetParam().bytes);
    // a guard byte past the expected end must survive: nothing more is written
    Bytes out(expected.size() + 1, 0xA5);
    EXPECT_EQ(HexToBytes(text, out.data()), static_cast<int>(expected.size()));
    EXPECT_EQ(ToHex(out.data(), expected.size()), ToHex(expected));
    EXPECT_EQ(out.back(), 0xA5);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, HexToBytesRule,
    testing::Values(HexToBytesCase{"MixedCase", "ff0A", "FF0A"},
                    HexToBytesCase{"UnpairedLastCharacterIgnored", "ABC", "AB"},
                    HexToBytesCase{"Empty", "", ""}, HexToBytesCase{"SingleCharacter", "7", ""},
                    HexToBytesCase{"AllDigits", "0123456789abcdefABCDEF", "0123456789ABCDEFABCDEF"},
                    // 'G' is 0x10 by the upper-case rule: 0 * 16 | 0x10
                    HexToBytesCase{"CapitalGLow", "0G", "10"},
                    // 'z' is 0x43: (0x43 * 16) mod 256 = 0x30, OR 0x43 = 0x73
                    HexToBytesCase{"LowerZ", "zz", "73"},
                    // ' ' - 0x37 wraps to 0xE9: (0xE9 * 16) mod 256 = 0x90, OR 0xE9 = 0xF9
                    HexToBytesCase{"Space", "  ", "F9"}, HexToBytesCase{"SpaceLow", "1 ", "F9"},
                    // 'g' is 0x30 by the fall-through rule
                    HexToBytesCase{"LowerG", "g0", "00"}, HexToBytesCase{"LowerGLow", "0g", "30"},
                    // '#' = 0x23 gives 0xEC
                    HexToBytesCase{"Punctuation", "#1", "C1"},
                    HexToBytesCase{"HighByteCharacter", std::string("\xC3\xA9"), "F2"},
                    HexToBytesCase{"EmbeddedZero",
                                   std::string("\0"
                                               "1",
                                               2),
                                   "91"},
                    HexToBytesCase{"TypedPassword", "pass", "9AFC"}),
    [](const testing::TestParamInfo<HexToBytesCase>& info) { return info.param.name; });

struct BytesToHexCase {
    const char* name;
    std::vector<unsigned char> bytes;
    const char* text;
};

class BytesToHexText : public testing::TestWithParam<BytesToHexCase> {};

TEST_P(BytesToHexText, UpperCaseTwoCharactersPerByte) {
    const auto& bytes = GetParam().bytes;
    EXPECT_EQ(BytesToHex(bytes.data(), static_cast<int>(bytes.size())), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Bytes, BytesToHexText,
                         testing::Values(BytesToHexCase{"Command", {0xFF, 0x09, 0x01}, "FF0901"},
                                         BytesToHexCase{"LeadingZero", {0x00, 0x0A}, "000A"},
                                         BytesToHexCase{"Empty", {}, ""},
                                         BytesToHexCase{"Letters", {0xAB, 0xCD, 0xEF}, "ABCDEF"}),
                         [](const testing::TestParamInfo<BytesToHexCase>& info) {
                             return info.param.name;
                         });

TEST(BytesToHex, CountOfZeroOrLessGivesEmptyText) {
    const unsigned char bytes[1] = {0x12};
    EXPECT_EQ(BytesToHex(bytes, 0), "");
    EXPECT_EQ(BytesToHex(bytes, -1), "");
}

TEST(BytesToHex, CountsBeyondTheOldWorkBufferAreWhole) {
    const Bytes bytes = RandomBytes(5000, 9);
    const std::string text = BytesToHex(bytes.data(), static_cast<int>(bytes.size()));
    EXPECT_EQ(text, ToHex(bytes));
}

TEST(HexRoundTrip, EveryByteValueSurvives) {
    Bytes all(256);
    for (int i = 0; i < 256; ++i) {
        all[i] = static_cast<unsigned char>(i);
    }
    const std::string text = BytesToHex(all.data(), 256);
    Bytes back(256);
    EXPECT_EQ(HexToBytes(text, back.data()), 256);
    EXPECT_EQ(back, all);
}

struct IsHexCase {
    const char* name;
    std::string text;
    size_t length;
    bool accepted;
};

class IsHexTextCheck : public testing::TestWithParam<IsHexCase> {};

TEST_P(IsHexTextCheck, AcceptsOnlyExactLengthHexadecimal) {
    EXPECT_EQ(IsHexText(GetParam().text, GetParam().length), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(Texts, IsHexTextCheck,
                         testing::Values(IsHexCase{"Upper", "0123456789ABCDEF", 16, true},
                                         IsHexCase{"Lower", "0123456789abcdef", 16, true},
                                         IsHexCase{"TooShort", "0123456789ABCDE", 16, false},
                                         IsHexCase{"TooLong", "0123456789ABCDEF0", 16, false},
                                         IsHexCase{"LetterG", "0123456789ABCDEG", 16, false},
                                         IsHexCase{"Blank", "0123456789ABCD F", 16, false},
                                         IsHexCase{"EmptyWanted", "", 0, true}),
                         [](const testing::TestParamInfo<IsHexCase>& info) {
                             return info.param.name;
                         });

} // namespace
