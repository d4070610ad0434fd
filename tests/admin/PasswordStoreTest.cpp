#include "admin/PasswordStore.h"
#include "tests/admin/TempSettingsFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// ADMIN 1 is "12AB", ADMIN 2 is "1234567890ABCDEF".
const std::string kStored = "[CONFIG]\r\nA=AFAEE11809A05232\r\nB=F11AAB0566F3F7E2\r\n";

// Stored forms computed with OpenSSL: triple-DES decryption of the zero-filled block
// of hex pairs under "580319425803194258031942", then XOR with "kelto584".
TEST(StoredForm, MatchesKnownAnswers) {
    const std::pair<std::string, std::string> cases[] = {
        {"12ab", "AFAEE11809A05232"},
        {"1", "9F9839FC2ACB378C"},
        {"zz", "7CBEE7FB82C0AFC5"}, // ((0x7A-0x37)*16 mod 256) | 0x43 = 0x73
        {"PASSWORD", "28C90910C5A19203"},
        {"1234567890ABCDEF" + std::string(24, 'x'), "F11AAB0566F3F7E2"},
    };
    for (const auto& [text, stored] : cases) {
        EXPECT_EQ(EncodeAdminPassword(text), stored) << text;
    }
}

TEST(StoredPassword, LoadsCutsAtTheReadSizeOrGivesTheDefault) {
    const struct {
        const char* file; // null: no settings file
        const char* key;
        int size;
        const char* expected;
    } cases[] = {
        {nullptr, "A", kLoginReadSize, "PRAWNSTUX"},
        {"[OTHER]\r\nA=AFAEE11809A05232\r\n", "A", kLoginReadSize, "PRAWNSTUX"},
        {"[CONFIG]\r\nB=F11AAB0566F3F7E2\r\n", "A", kLoginReadSize, "PRAWNSTUX"},
        {"[CONFIG]\r\nA=AFAEE11809A05232FF\r\n", "A", kLoginReadSize, "AFAEE11809A05232FF"},
        {"[CONFIG]\r\nA=AFAEE11809A05232FF\r\n", "A", kChangeReadSize, "AFAEE11809A05232"},
    };
    for (const auto& c : cases) {
        TempSettingsFile settings;
        if (c.file != nullptr) {
            settings.Write(c.file);
        }
        EXPECT_EQ(LoadAdminPassword(c.key, c.size), c.expected) << c.key << c.size;
    }
}

TEST(StoredPassword, MatchesOnlyTheExactStoredForm) {
    const std::tuple<std::string, std::string, const char*, bool> cases[] = {
        {kStored, "12ab", "A", true},
        {kStored, "12AC", "A", false},
        {"[CONFIG]\r\nA=afaee11809a05232\r\n", "12AB", "A", false},
        {"[CONFIG]\r\nB=F11AAB0566F3F7E2\r\n", "PRAWNSTUX", "A",
         false}, // a missing key refuses every login
        {"[CONFIG]\r\nB=9F9839FC2ACB378C\r\n", "", "B", true},
    };
    for (const auto& [file, typed, key, correct] : cases) {
        TempSettingsFile settings(file);
        EXPECT_EQ(IsAdminPasswordCorrect(typed, key, kLoginReadSize), correct) << typed;
    }
}

TEST(StoredPassword, SaveReplacesBothValuesAndKeepsEveryOtherLine) {
    TempSettingsFile settings;
    const std::string before = "; notes\r\n[PORT]\r\nNumber=7\r\n[CONFIG]\r\n"
                               "A=0000000000000000\r\nMode=2\r\nB=1111111111111111\r\n";
    settings.Write(before);
    SaveAdminPasswords("1234567890ABCDEF" + std::string(40, '9'), "12AB");
    std::string after = before;
    after.replace(after.find("0000000000000000"), 16, "F11AAB0566F3F7E2");
    after.replace(after.find("1111111111111111"), 16, "AFAEE11809A05232");
    EXPECT_EQ(settings.Read(), after);
}

} // namespace
