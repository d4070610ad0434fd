#include "reader/DecimalText.h"
#include "reader/InfoTextRules.h"
#include "reader/ReaderText.h"
#include "reader/ResponseRule.h"
#include "reader/VersionRules.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

TEST(ReaderRules, AcceptsLengthOneTo255WithCode00OrBE) {
    struct Case {
        std::int32_t rxLength;
        unsigned char code;
        bool accepted;
    } cases[] = {{0, 0x00, false},   {1, 0x00, true},  {255, 0xBE, true}, {256, 0x00, false},
                 {256, 0xBE, false}, {1, 0xFF, false}, {3, 0x01, false},  {3, 0xBF, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rxLength << " code " << int(c.code));
        unsigned char rxBuffer[1000] = {c.code};
        EXPECT_EQ(IsAcceptedResponse(rxBuffer, c.rxLength), c.accepted);
    }
}

TEST(ReaderRules, DecimalTextReadsAsAtoiWithoutOverflow) {
    struct Case {
        const char* text;
        std::int32_t value;
    } cases[] = {{" \t\n\v\f\r-3", -3},
                 {"+42", 42},
                 {"- 5", 0},
                 {"\2405", 0},
                 {"2147483648", INT32_MAX},
                 {"-99999999999", INT32_MIN}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(DecimalTextValue(c.text), c.value);
    }
}

TEST(ReaderRules, ModelNameIsWhatFollowsTheFourthSeparator) {
    EXPECT_EQ(ModelNameFromInfo("VAN=RIVI_S1_MODEL"), "MODEL");
    EXPECT_EQ(ModelNameFromInfo("VAN=RIVI_S1_C1_R1_ABCDEFGHIJKL"), "ABCDEFGHIJKL");
    EXPECT_EQ(ModelNameFromInfo("VAN=RIVI_S1_C1_R1_AB_CD"), "AB_CD");
    EXPECT_EQ(ModelNameFromInfo("VAN=RIVI_S_C_R_"), "");
    EXPECT_EQ(ModelNameFromInfo("____X"), "X");
    EXPECT_EQ(TrimmedModelName(" \t A B \r\n"), "A B");
    EXPECT_EQ(TrimmedModelName(" \t "), "");
}

TEST(ReaderRules, ClassifiesInfoTexts) {
    struct Case {
        const char* info;
        bool de635;
        bool bootLoader;
        bool rivi;
    } cases[] = {{"VAN=RIV", false, false, false},
                 {"DE-635_BIO", false, false, false},
                 {"_BIOS", false, false, false},
                 {"_BIOS_BIOS", false, true, false},
                 {"VAN=RIVI_S_C_R_X_BIOS", false, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.info);
        EXPECT_EQ(IsDe635BootLoaderInfo(c.info), c.de635);
        EXPECT_EQ(IsBootLoaderInfo(c.info), c.bootLoader);
        EXPECT_EQ(IsRiviNetworkInfo(c.info), c.rivi);
    }
}

TEST(ReaderRules, JudgesVersionTextAndCode) {
    struct Case {
        const char* text;
        bool valid;
        std::optional<std::string> code;
    } cases[] = {{"KA_B_123", true, "123"},      {"KMODEL_1508031", true, "150803"},
                 {"KMODEL", true, std::nullopt}, {"_150803", false, std::nullopt},
                 {"KMODEL_", true, ""},          {"kMODEL_150803", false, "150803"},
                 {"MSR_OK", false, "OK"},        {"", false, std::nullopt}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(IsVersionText(c.text), c.valid);
        EXPECT_EQ(VersionCodeOf(c.text), c.code);
    }
}

TEST(ReaderRules, ReaderTextEndsAtZeroOrAreaAndKeepsAnyByte) {
    const unsigned char area[] = {0x00, 0xFF, 'B', 0x00, 'C', 0x00};
    EXPECT_EQ(TextAfterResponseCode(area, sizeof area), "\xFF"
                                                        "B");
    std::vector<unsigned char> full(2048, 'X');
    full[0] = 0x00;
    EXPECT_EQ(TextAfterResponseCode(full.data(), full.size()), std::string(2047, 'X'));
    EXPECT_EQ(TextAfterResponseCode(area, 1), "");
    EXPECT_EQ(TextAfterResponseCode(nullptr, 1024), "");
    EXPECT_EQ(FailedToReadText(1003), "Failed to Read (3EB)");
    EXPECT_EQ(FailedToReadText(5), "Failed to Read (05)");
}

} // namespace
