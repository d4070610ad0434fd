#include "admin/PasswordStore.h"
#include "tests/admin/StoredFormOracle.h"
#include "tests/admin/TempSettingsFile.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>

namespace {

// Stored forms computed with the openssl command line (des-ede3-cbc -d -nopad,
// key "580319425803194258031942", IV "kelto584") from the block each text gives.
struct StoredFormKat {
    const char* name;
    std::string text;
    const char* storedForm;
};

const StoredFormKat kStoredForms[] = {
    {"UpperHex", "12AB", "AFAEE11809A05232"},
    {"LowerHexSameAsUpper", "12ab", "AFAEE11809A05232"},
    {"TrailingZerosSameAsShort", "12AB00", "AFAEE11809A05232"},
    {"Empty", "", "9F9839FC2ACB378C"},
    {"OddLastCharacterIgnored", "1", "9F9839FC2ACB378C"},
    {"FullBlock", "1234567890ABCDEF", "F11AAB0566F3F7E2"},
    {"AllOnes", "ffffffffffffffff", "59CC9CF6DF28DE21"},
    {"LowerLettersAB12", "ab12", "F0865D2B3EBECBD0"},
    // zz -> ((0x7A-0x37)*16 mod 256) | 0x43 = 0x73
    {"NonHexPair", "zz", "7CBEE7FB82C0AFC5"},
    // PA SS WO RD -> 9A DC 18 BD
    {"PlainWord", "PASSWORD", "28C90910C5A19203"},
    {"OverlongCutTo16", "1234567890ABCDEF" + std::string(24, 'x'), "F11AAB0566F3F7E2"},
    {"SeventeenCharacters", "1234567890ABCDEF0", "F11AAB0566F3F7E2"},
};

void PrintTo(const StoredFormKat& param, std::ostream* out) {
    *out << param.name;
}

class StoredFormTest : public testing::TestWithParam<StoredFormKat> {};

TEST_P(StoredFormTest, MatchesKnownAnswer) {
    EXPECT_EQ(EncodeAdminPassword(GetParam().text), GetParam().storedForm);
}

INSTANTIATE_TEST_SUITE_P(KnownAnswers, StoredFormTest, testing::ValuesIn(kStoredForms),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StoredForm, AgreesWithOpenSslForRandomHexTexts) {
    std::mt19937 random(20240705);
    const std::string digits = "0123456789abcdefABCDEF";
    for (int round = 0; round < 2000; ++round) {
        std::string text(random() % 17, '0');
        for (auto& c : text) {
            c = digits[random() % digits.size()];
        }
        unsigned char block[8];
        HexTextToBlock(text, block);
        ASSERT_EQ(EncodeAdminPassword(text), OracleStoredForm(block)) << "text " << text;
    }
}

TEST(StoredForm, IsSixteenUpperCaseHexDigitsForAnyText) {
    std::mt19937 random(7);
    for (int round = 0; round < 500; ++round) {
        std::string text(random() % 64, '\0');
        for (auto& c : text) {
            c = static_cast<char>(random() % 256);
        }
        const std::string stored = EncodeAdminPassword(text);
        ASSERT_EQ(stored.size(), 16u);
        EXPECT_EQ(stored.find_first_not_of("0123456789ABCDEF"), std::string::npos) << stored;
    }
}

TEST(StoredForm, VeryLongTextIsCutNotOverrun) {
    const std::string head = "00112233445566778899";
    EXPECT_EQ(EncodeAdminPassword(head + std::string(100000, 'Z')),
              EncodeAdminPassword(head.substr(0, 16)));
}

// Reading back what is (or is not) in the settings file.
struct LoadCase {
    const char* name;
    std::string fileContent; // "<missing>" leaves no file at all
    std::string key;
    int size;
    std::string expected;
};

const std::string kMissing = "<missing>";

const LoadCase kLoadCases[] = {
    {"MissingFile", kMissing, "A", kLoginReadSize, "PRAWNSTUX"},
    {"EmptyFile", "", "B", kLoginReadSize, "PRAWNSTUX"},
    {"OtherSectionOnly", "[OTHER]\r\nA=AFAEE11809A05232\r\n", "A", kLoginReadSize, "PRAWNSTUX"},
    {"KeyAMissing", "[CONFIG]\r\nB=AFAEE11809A05232\r\n", "A", kLoginReadSize, "PRAWNSTUX"},
    {"KeyPresent", "[CONFIG]\r\nA=AFAEE11809A05232\r\nB=9F9839FC2ACB378C\r\n", "B", kLoginReadSize,
     "9F9839FC2ACB378C"},
    {"LineFeedOnly", "[CONFIG]\nA=AFAEE11809A05232\n", "A", kChangeReadSize, "AFAEE11809A05232"},
    {"LongValueWholeForLogin", "[CONFIG]\r\nA=AFAEE11809A05232FF\r\n", "A", kLoginReadSize,
     "AFAEE11809A05232FF"},
    {"LongValueCutForChange", "[CONFIG]\r\nA=AFAEE11809A05232FF\r\n", "A", kChangeReadSize,
     "AFAEE11809A05232"},
    {"Garbage", std::string("\xff\xfe\0\x01[[[=\n\n=]]\r\r\x80", 17), "A", kLoginReadSize,
     "PRAWNSTUX"},
};

void PrintTo(const LoadCase& param, std::ostream* out) {
    *out << param.name;
}

class LoadTest : public testing::TestWithParam<LoadCase> {};

TEST_P(LoadTest, ReadsValueOrDefault) {
    TempSettingsFile settings;
    if (GetParam().fileContent != kMissing) {
        settings.Write(GetParam().fileContent);
    }
    EXPECT_EQ(LoadAdminPassword(GetParam().key, GetParam().size), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(SettingsFiles, LoadTest, testing::ValuesIn(kLoadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Load, UnreadableFileGivesDefault) {
    TempSettingsFile settings;
    // A folder where the file should be cannot be read as one.
    std::filesystem::create_directory(settings.path());
    EXPECT_EQ(LoadAdminPassword("A", kLoginReadSize), "PRAWNSTUX");
}

// Checking a typed password against the file.
struct CheckCase {
    const char* name;
    std::string fileContent;
    std::string typed;
    std::string key;
    bool correct;
};

const CheckCase kCheckCases[] = {
    {"RightPassword", "[CONFIG]\r\nA=AFAEE11809A05232\r\n", "12AB", "A", true},
    {"LowerCaseTypingGivesSameForm", "[CONFIG]\r\nA=AFAEE11809A05232\r\n", "12ab", "A", true},
    {"WrongPassword", "[CONFIG]\r\nA=AFAEE11809A05232\r\n", "12AC", "A", false},
    {"LowerCaseStoredNeverMatches", "[CONFIG]\r\nA=afaee11809a05232\r\n", "12AB", "A", false},
    {"MissingKeyRefusesEmpty", "[CONFIG]\r\nB=9F9839FC2ACB378C\r\n", "", "A", false},
    {"MissingKeyRefusesDefaultText", "[CONFIG]\r\n", "PRAWNSTUX", "A", false},
    {"EmptyPasswordStored", "[CONFIG]\r\nB=9F9839FC2ACB378C\r\n", "", "B", true},
};

void PrintTo(const CheckCase& param, std::ostream* out) {
    *out << param.name;
}

class CheckTest : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckTest, ComparesStoredForms) {
    TempSettingsFile settings;
    settings.Write(GetParam().fileContent);
    EXPECT_EQ(IsAdminPasswordCorrect(GetParam().typed, GetParam().key, kLoginReadSize),
              GetParam().correct);
}

INSTANTIATE_TEST_SUITE_P(Passwords, CheckTest, testing::ValuesIn(kCheckCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Check, MissingKeyARefusesEveryPasswordWeTry) {
    TempSettingsFile settings;
    settings.Write("[CONFIG]\r\nB=9F9839FC2ACB378C\r\n");
    std::mt19937 random(3);
    for (int round = 0; round < 300; ++round) {
        std::string typed(random() % 17, '0');
        for (auto& c : typed) {
            c = static_cast<char>(' ' + random() % 95);
        }
        ASSERT_FALSE(IsAdminPasswordCorrect(typed, "A", kLoginReadSize)) << typed;
    }
}

// Saving both passwords.
TEST(Save, WritesBothStoredFormsIntoAFreshFile) {
    TempSettingsFile settings;
    SaveAdminPasswords("12AB", "");
    EXPECT_EQ(LoadAdminPassword("A", kLoginReadSize), "AFAEE11809A05232");
    EXPECT_EQ(LoadAdminPassword("B", kLoginReadSize), "9F9839FC2ACB378C");
    EXPECT_TRUE(IsAdminPasswordCorrect("12ab", "A", kChangeReadSize));
    EXPECT_TRUE(IsAdminPasswordCorrect("", "B", kChangeReadSize));
}

TEST(Save, KeepsEveryOtherLineAndSection) {
    TempSettingsFile settings;
    settings.Write("; technician notes\r\n"
                   "[PORT]\r\n"
                   "Number=7\r\n"
                   "[CONFIG]\r\n"
                   "A=0000000000000000\r\n"
                   "Mode=2\r\n"
                   "B=1111111111111111\r\n"
                   "[LAST]\r\n"
                   "Key=value=with=equals\r\n");
    SaveAdminPasswords("1234567890ABCDEF", "12AB");
    EXPECT_EQ(settings.Read(), "; technician notes\r\n"
                               "[PORT]\r\n"
                               "Number=7\r\n"
                               "[CONFIG]\r\n"
                               "A=F11AAB0566F3F7E2\r\n"
                               "Mode=2\r\n"
                               "B=AFAEE11809A05232\r\n"
                               "[LAST]\r\n"
                               "Key=value=with=equals\r\n");
}

TEST(Save, OverlongTextsAreStoredAsTheirFirstSixteenCharacters) {
    TempSettingsFile settings;
    SaveAdminPasswords(std::string(40, 'A'), "1234567890ABCDEF" + std::string(40, '9'));
    EXPECT_EQ(LoadAdminPassword("A", kLoginReadSize), EncodeAdminPassword(std::string(16, 'A')));
    EXPECT_EQ(LoadAdminPassword("B", kLoginReadSize), "F11AAB0566F3F7E2");
}

} // namespace
