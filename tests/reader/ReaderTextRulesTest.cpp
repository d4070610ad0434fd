#include "reader/DecimalText.h"
#include "reader/ResponseRule.h"
#include "reader/VersionRules.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <optional>
#include <string>

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

} // namespace
