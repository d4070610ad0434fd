#include "reader/ResponseRule.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

struct ResponseCase {
    const char* name;
    std::int32_t rxLength;
    unsigned char code;
    bool accepted;
};

class ResponseRuleTest : public testing::TestWithParam<ResponseCase> {};

TEST_P(ResponseRuleTest, JudgesLengthAndCode) {
    const ResponseCase& c = GetParam();
    unsigned char rxBuffer[1000] = {};
    rxBuffer[0] = c.code;
    EXPECT_EQ(IsAcceptedResponse(rxBuffer, c.rxLength), c.accepted);
}

INSTANTIATE_TEST_SUITE_P(Responses, ResponseRuleTest,
                         testing::Values(ResponseCase{"LengthZeroCodeOk", 0, 0x00, false},
                                         ResponseCase{"NegativeLength", -1, 0x00, false},
                                         ResponseCase{"LengthOneCodeOk", 1, 0x00, true},
                                         ResponseCase{"LengthOneCodeBE", 1, 0xBE, true},
                                         ResponseCase{"Length255CodeBE", 255, 0xBE, true},
                                         ResponseCase{"Length255CodeOk", 255, 0x00, true},
                                         ResponseCase{"Length256CodeBE", 256, 0xBE, false},
                                         ResponseCase{"Length256CodeOk", 256, 0x00, false},
                                         ResponseCase{"Length1000CodeOk", 1000, 0x00, false},
                                         ResponseCase{"PresetFFLeftInPlace", 1, 0xFF, false},
                                         ResponseCase{"PresetFFFullLength", 255, 0xFF, false},
                                         ResponseCase{"CodeOne", 3, 0x01, false},
                                         ResponseCase{"CodeBF", 3, 0xBF, false},
                                         ResponseCase{"CodeBD", 3, 0xBD, false}),
                         [](const testing::TestParamInfo<ResponseCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
