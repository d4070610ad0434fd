#include "admin/ChangeCheck.h"
#include "tests/admin/TempSettingsFile.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

// ADMIN 1 is "12AB", ADMIN 2 is "1234567890ABCDEF" (stored forms from openssl).
const std::string kStoredSettings = "[CONFIG]\r\n"
                                    "A=AFAEE11809A05232\r\n"
                                    "B=F11AAB0566F3F7E2\r\n";

struct ChangeCase {
    const char* name;
    std::string settings;
    std::string key;
    std::string current;
    std::string newPassword;
    std::string confirmPassword;
    ChangeCheck expected;
};

// The dialog tests cover the everyday cases; these are the edges of the stored value.
const ChangeCase kChangeCases[] = {
    {"WrongCurrentComesBeforeMismatch", kStoredSettings, "A", "12AC", "a", "b",
     ChangeCheck::WrongCurrentPassword},
    {"MissingKeyRefusesEveryCurrent", "[CONFIG]\r\nB=F11AAB0566F3F7E2\r\n", "A", "", "", "",
     ChangeCheck::WrongCurrentPassword},
    // The change dialogs read 16 characters of the stored value, the login all of it.
    {"LongStoredValueCutToSixteen", "[CONFIG]\r\nA=AFAEE11809A05232FFFF\r\n", "A", "12AB", "", "",
     ChangeCheck::Accepted},
    {"LowerCaseStoredValueNeverMatches", "[CONFIG]\r\nA=afaee11809a05232\r\n", "A", "12AB", "", "",
     ChangeCheck::WrongCurrentPassword},
    {"KeyBReadForKeyB", kStoredSettings, "B", "1234567890abcdef", "x", "x", ChangeCheck::Accepted},
};

void PrintTo(const ChangeCase& param, std::ostream* out) {
    *out << param.name;
}

class ChangeCheckTest : public testing::TestWithParam<ChangeCase> {};

TEST_P(ChangeCheckTest, ChecksCurrentThenConfirmation) {
    const ChangeCase& change = GetParam();
    TempSettingsFile settings;
    settings.Write(change.settings);
    EXPECT_EQ(
        CheckPasswordChange(change.key, change.current, change.newPassword, change.confirmPassword),
        change.expected);
    EXPECT_EQ(settings.Read(), change.settings) << "a check never writes";
}

INSTANTIATE_TEST_SUITE_P(Changes, ChangeCheckTest, testing::ValuesIn(kChangeCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
