#include "admin/PasswordStore.h"
#include "admin/ChangeCheck.h"
#include "tests/admin/TempSettingsFile.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The stored form computed with OpenSSL: triple-DES decryption of the zero-filled
// block of hex pairs (read with the C library, at most 8) under
// "580319425803194258031942", then XOR with "kelto584".
std::string OpenSslStoredForm(const std::string& text) {
    unsigned char block[8] = {}, plain[8] = {};
    for (std::size_t i = 0; i + 1 < text.size() && i < 16; i += 2) {
        block[i / 2] =
            static_cast<unsigned char>(std::strtoul(text.substr(i, 2).c_str(), nullptr, 16));
    }
    EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new();
    int length = 0;
    EVP_DecryptInit_ex(context, EVP_des_ede3_ecb(), nullptr,
                       reinterpret_cast<const unsigned char*>("580319425803194258031942"), nullptr);
    EVP_CIPHER_CTX_set_padding(context, 0);
    EVP_DecryptUpdate(context, plain, &length, block, 8);
    EVP_CIPHER_CTX_free(context);
    std::string hex;
    for (int i = 0; i < 8; ++i) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", plain[i] ^ "kelto584"[i]);
        hex += digits;
    }
    return hex;
}

// ADMIN 1 is "12AB", ADMIN 2 is "1234567890ABCDEF".
const std::string kStored = "[CONFIG]\r\nA=AFAEE11809A05232\r\nB=F11AAB0566F3F7E2\r\n";
const std::string kOnlyB = "[CONFIG]\r\nB=F11AAB0566F3F7E2\r\n";

TEST(StoredForm, MatchesKnownAnswers) {
    const std::pair<std::string, std::string> cases[] = {
        {"12AB", "AFAEE11809A05232"},
        {"12ab", "AFAEE11809A05232"},
        {"12AB00", "AFAEE11809A05232"},
        {"", "9F9839FC2ACB378C"},
        {"1", "9F9839FC2ACB378C"},
        {"zz", "7CBEE7FB82C0AFC5"}, // ((0x7A-0x37)*16 mod 256) | 0x43 = 0x73
        {"PASSWORD", "28C90910C5A19203"},
        {"1234567890ABCDEF" + std::string(24, 'x'), "F11AAB0566F3F7E2"},
        {"00112233445566778899" + std::string(100000, 'Z'), OpenSslStoredForm("0011223344556677")},
    };
    for (const auto& [text, stored] : cases) {
        SCOPED_TRACE(text.substr(0, 24));
        EXPECT_EQ(EncodeAdminPassword(text), stored);
    }
}

TEST(StoredForm, AgreesWithOpenSslForRandomHexTexts) {
    std::mt19937 random(20240705);
    const std::string digits = "0123456789abcdefABCDEF";
    for (int round = 0; round < 2000; ++round) {
        std::string text(random() % 17, '0');
        for (auto& c : text) {
            c = digits[random() % digits.size()];
        }
        ASSERT_EQ(EncodeAdminPassword(text), OpenSslStoredForm(text)) << "text " << text;
    }
}

TEST(Load, ReadsValueOrDefault) {
    const std::string kMissing = "<missing>";
    const struct {
        std::string file, key;
        int size;
        std::string expected;
    } cases[] = {
        {kMissing, "A", kLoginReadSize, "PRAWNSTUX"},
        {"[OTHER]\r\nA=AFAEE11809A05232\r\n", "A", kLoginReadSize, "PRAWNSTUX"},
        {kOnlyB, "A", kLoginReadSize, "PRAWNSTUX"},
        {kOnlyB, "B", kLoginReadSize, "F11AAB0566F3F7E2"},
        {"[CONFIG]\nA=AFAEE11809A05232\n", "A", kChangeReadSize, "AFAEE11809A05232"},
        {"[CONFIG]\r\nA=AFAEE11809A05232FF\r\n", "A", kLoginReadSize, "AFAEE11809A05232FF"},
        {"[CONFIG]\r\nA=AFAEE11809A05232FF\r\n", "A", kChangeReadSize, "AFAEE11809A05232"},
        {std::string("\xff\xfe\0\x01[[[=\n\n=]]\r\r\x80", 17), "A", kLoginReadSize, "PRAWNSTUX"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file + " key " + c.key);
        TempSettingsFile settings;
        if (c.file != kMissing) {
            settings.Write(c.file);
        }
        EXPECT_EQ(LoadAdminPassword(c.key, c.size), c.expected);
    }
    TempSettingsFile unreadable; // a folder where the file should be
    std::filesystem::create_directory(unreadable.path());
    EXPECT_EQ(LoadAdminPassword("A", kLoginReadSize), "PRAWNSTUX");
}

TEST(Check, ComparesStoredForms) {
    const struct {
        std::string file, typed, key;
        bool correct;
    } cases[] = {
        {kStored, "12AB", "A", true},
        {kStored, "12ab", "A", true},
        {kStored, "12AC", "A", false},
        {"[CONFIG]\r\nA=afaee11809a05232\r\n", "12AB", "A", false}, // lower case never matches
        {kOnlyB, "", "A", false},                                   // key A missing refuses login
        {kOnlyB, "PRAWNSTUX", "A", false},                          // even the default text
        {"[CONFIG]\r\nB=9F9839FC2ACB378C\r\n", "", "B", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file + " typed " + c.typed);
        TempSettingsFile settings(c.file);
        EXPECT_EQ(IsAdminPasswordCorrect(c.typed, c.key, kLoginReadSize), c.correct);
    }
}

TEST(ChangeCheck, ChecksCurrentFirstWithoutWriting) {
    TempSettingsFile settings(kStored);
    EXPECT_EQ(CheckPasswordChange("A", "12AC", "a", "b"), ChangeCheck::WrongCurrentPassword);
    // The change dialogs read 16 characters of the stored value, the login all of it.
    settings.Write("[CONFIG]\r\nA=AFAEE11809A05232FFFF\r\n");
    EXPECT_EQ(CheckPasswordChange("A", "12AB", "", ""), ChangeCheck::Accepted);
    EXPECT_EQ(settings.Read(), "[CONFIG]\r\nA=AFAEE11809A05232FFFF\r\n") << "a check never writes";
}

TEST(Save, OverlongTextsIntoAFreshFileAreStoredAsTheirFirstSixteen) {
    TempSettingsFile settings;
    SaveAdminPasswords(std::string(40, 'A'), "1234567890ABCDEF" + std::string(40, '9'));
    EXPECT_EQ(LoadAdminPassword("A", kLoginReadSize), EncodeAdminPassword(std::string(16, 'A')));
    EXPECT_EQ(LoadAdminPassword("B", kLoginReadSize), "F11AAB0566F3F7E2");
}

TEST(Save, KeepsEveryOtherLineAndSection) {
    TempSettingsFile settings;
    const std::string before = "; technician notes\r\n[PORT]\r\nNumber=7\r\n[CONFIG]\r\n"
                               "A=0000000000000000\r\nMode=2\r\nB=1111111111111111\r\n"
                               "[LAST]\r\nKey=value=with=equals\r\n";
    settings.Write(before);
    SaveAdminPasswords("1234567890ABCDEF", "12AB");
    std::string after = before;
    after.replace(after.find("0000000000000000"), 16, "F11AAB0566F3F7E2");
    after.replace(after.find("1111111111111111"), 16, "AFAEE11809A05232");
    EXPECT_EQ(settings.Read(), after);
}

// A child process saves under a file size limit: the kernel kills it with
// SIGXFSZ while it writes (the new file would be 68 bytes long), before it
// could put a new file in place.
TEST(Save, InterruptedSaveLeavesTheOldFileWhole) {
    const std::string old = "[PORT]\r\nNumber=7\r\n" + kStored;
    for (rlim_t fileSizeLimit : {1, 20, 60}) {
        SCOPED_TRACE(fileSizeLimit);
        TempSettingsFile settings(old);
        const pid_t child = fork();
        if (child == 0) {
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            setrlimit(RLIMIT_FSIZE, &limit);
            SaveAdminPasswords("", "12AB");
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ);
        EXPECT_EQ(settings.Read(), old);
    }
}

} // namespace
