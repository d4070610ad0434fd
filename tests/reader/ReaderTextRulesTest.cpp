#include "reader/DecimalText.h"
#include "reader/InfoTextRules.h"
#include "reader/ReaderText.h"
#include "reader/VersionRules.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

template <typename Case> std::string CaseName(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

struct DecimalCase {
    const char* name;
    std::string text;
    std::int32_t value;
};

class DecimalTextTest : public testing::TestWithParam<DecimalCase> {};

TEST_P(DecimalTextTest, ReadsAsAtoiWithoutOverflow) {
    EXPECT_EQ(DecimalTextValue(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DecimalTextTest,
    testing::Values(DecimalCase{"Plain", "7", 7}, DecimalCase{"DigitsThenLetters", "12abc", 12},
                    DecimalCase{"BlankAndMinus", " -3", -3}, DecimalCase{"Plus", "+42", 42},
                    DecimalCase{"EveryCWhiteSpace", " \t\n\v\f\r9", 9}, DecimalCase{"Empty", "", 0},
                    DecimalCase{"NoDigits", "abc", 0}, DecimalCase{"SignAlone", "-", 0},
                    DecimalCase{"BlankAfterSign", "- 5", 0}, DecimalCase{"HexIsNotRead", "0x1A", 0},
                    DecimalCase{"InnerBlankStops", "1 2", 1}, DecimalCase{"LeadingZeros", "007", 7},
                    DecimalCase{"Largest", "2147483647", INT32_MAX},
                    DecimalCase{"OnePastLargest", "2147483648", INT32_MAX},
                    DecimalCase{"ElevenDigits", "99999999999", INT32_MAX},
                    DecimalCase{"HundredDigits", std::string(100, '9'), INT32_MAX},
                    DecimalCase{"Smallest", "-2147483648", INT32_MIN},
                    DecimalCase{"BelowSmallest", "-99999999999", INT32_MIN},
                    DecimalCase{"NotAWhiteSpace",
                                "\xA0"
                                "5",
                                0}),
    CaseName<DecimalCase>);

struct ModelNameCase {
    const char* name;
    std::string info;
    std::string modelName;
};

class ModelNameTest : public testing::TestWithParam<ModelNameCase> {};

TEST_P(ModelNameTest, DropsFourFields) {
    EXPECT_EQ(ModelNameFromInfo(GetParam().info), GetParam().modelName);
}

INSTANTIATE_TEST_SUITE_P(
    Infos, ModelNameTest,
    testing::Values(ModelNameCase{"FourSeparators", "VAN=RIVI_S1_C1_R1_ABCDEFGHIJKL",
                                  "ABCDEFGHIJKL"},
                    ModelNameCase{"TwoSeparators", "VAN=RIVI_S1_MODEL", "MODEL"},
                    ModelNameCase{"FiveSeparators", "VAN=RIVI_S1_C1_R1_AB_CD", "AB_CD"},
                    ModelNameCase{"NoSeparator", "VAN=RIVI", "VAN=RIVI"},
                    ModelNameCase{"EndsInSeparator", "VAN=RIVI_S_C_R_", ""},
                    ModelNameCase{"EmptyFields", "____X", "X"}, ModelNameCase{"Empty", "", ""}),
    CaseName<ModelNameCase>);

struct InfoClassCase {
    const char* name;
    std::string info;
    bool de635;
    bool bootLoader;
    bool rivi;
};

class InfoClassTest : public testing::TestWithParam<InfoClassCase> {};

TEST_P(InfoClassTest, ClassifiesTheText) {
    const InfoClassCase& c = GetParam();
    EXPECT_EQ(IsDe635BootLoaderInfo(c.info), c.de635);
    EXPECT_EQ(IsBootLoaderInfo(c.info), c.bootLoader);
    EXPECT_EQ(IsRiviNetworkInfo(c.info), c.rivi);
}

INSTANTIATE_TEST_SUITE_P(
    Infos, InfoClassTest,
    testing::Values(InfoClassCase{"Application", "VAN=RIVI_S_C_R_M", false, false, true},
                    InfoClassCase{"OtherNetwork", "VAN=ZETA_S_C_R_M", false, false, false},
                    InfoClassCase{"NetworkPrefixOnly", "VAN=RIV", false, false, false},
                    InfoClassCase{"BootLoader", "RIVI_BIOS_200101", false, true, false},
                    InfoClassCase{"De635", "DE-635_BIOS_200101", true, true, false},
                    InfoClassCase{"De635Short", "DE-635_BIO", false, false, false},
                    InfoClassCase{"MarkAtTheStart", "_BIOS", false, false, false},
                    InfoClassCase{"MarkAgainLater", "_BIOS_BIOS", false, true, false},
                    InfoClassCase{"RiviApplicationNamedBios", "VAN=RIVI_S_C_R_X_BIOS", false, true,
                                  true}),
    CaseName<InfoClassCase>);

struct TrimCase {
    const char* name;
    std::string typed;
    std::string trimmed;
};

class TrimTest : public testing::TestWithParam<TrimCase> {};

TEST_P(TrimTest, RemovesOuterWhiteSpaceOnly) {
    EXPECT_EQ(TrimmedModelName(GetParam().typed), GetParam().trimmed);
}

INSTANTIATE_TEST_SUITE_P(
    Names, TrimTest,
    testing::Values(TrimCase{"Untouched", "BRM-CR1200KR", "BRM-CR1200KR"},
                    TrimCase{"Around", " \t BRM-CR1200KR \r\n", "BRM-CR1200KR"},
                    TrimCase{"InnerKept", " A B ", "A B"}, TrimCase{"OnlyBlanks", " \t ", ""},
                    TrimCase{"Empty", "", ""}),
    CaseName<TrimCase>);

struct VersionCase {
    const char* name;
    std::string text;
    bool valid;
    std::optional<std::string> code;
};

class VersionRulesTest : public testing::TestWithParam<VersionCase> {};

TEST_P(VersionRulesTest, JudgesTextAndCode) {
    const VersionCase& c = GetParam();
    EXPECT_EQ(IsVersionText(c.text), c.valid);
    EXPECT_EQ(VersionCodeOf(c.text), c.code);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, VersionRulesTest,
    testing::Values(VersionCase{"Application", "KBRM-CR1200KR_150803", true, "150803"},
                    VersionCase{"BootLoader", "DBIOS_200101", true, "200101"},
                    VersionCase{"LastSeparatorCounts", "KA_B_123", true, "123"},
                    VersionCase{"CutToSix", "KMODEL_1508031", true, "150803"},
                    VersionCase{"NoSeparator", "KMODEL", true, std::nullopt},
                    VersionCase{"SeparatorSecond", "K_150803", true, "150803"},
                    VersionCase{"OnlySeparatorFirst", "_150803", false, std::nullopt},
                    VersionCase{"EndsInSeparator", "KMODEL_", true, ""},
                    VersionCase{"LowerCase", "kMODEL_150803", false, "150803"},
                    VersionCase{"OtherLetter", "MSR_OK", false, "OK"},
                    VersionCase{"Empty", "", false, std::nullopt}),
    CaseName<VersionCase>);

TEST(ReaderTextTest, StopsAtTheFirstZero) {
    const unsigned char area[] = {0x00, 'A', 'B', 0x00, 'C', 0x00};
    EXPECT_EQ(TextAfterResponseCode(area, sizeof area), "AB");
}

// A full area without any zero: the text ends with the area, nothing past it is read.
TEST(ReaderTextTest, ATextWithoutZeroEndsWithTheArea) {
    std::vector<unsigned char> area(2048, 'X');
    area[0] = 0x00;
    const std::string text = TextAfterResponseCode(area.data(), area.size());
    EXPECT_EQ(text, std::string(2047, 'X'));
}

TEST(ReaderTextTest, KeepsBytesThatAreNotUtf8) {
    const unsigned char area[] = {0x00, 0xFF, 0xFE, 'K', 0x00};
    EXPECT_EQ(TextAfterResponseCode(area, sizeof area), "\xFF\xFE"
                                                        "K");
}

TEST(ReaderTextTest, AreasWithoutTextGiveNothing) {
    const unsigned char code[] = {0x00};
    EXPECT_EQ(TextAfterResponseCode(code, sizeof code), "");
    EXPECT_EQ(TextAfterResponseCode(nullptr, 1024), "");
}

TEST(ReaderTextTest, FailedToReadIsUpperCaseHexOfAtLeastTwoDigits) {
    EXPECT_EQ(FailedToReadText(1003), "Failed to Read (3EB)");
    EXPECT_EQ(FailedToReadText(5), "Failed to Read (05)");
    EXPECT_EQ(FailedToReadText(1006), "Failed to Read (3EE)");
}

} // namespace
