#include "cli/Language.h"
#include "cli/Words.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(Language, TheFirstLocaleVariableSetDecidesAndKoMeansKorean) {
    constexpr Language en = Language::English, ko = Language::Korean;
    EXPECT_EQ(LanguageOf("ko_KR.UTF-8", "en_US", "en_US"), ko);
    EXPECT_EQ(LanguageOf("C.UTF-8", "ko_KR", "ko_KR"), en);
    EXPECT_EQ(LanguageOf("", nullptr, "ko"), ko);
    EXPECT_EQ(LanguageOf(nullptr, "en_GB", "ko_KR"), en);
    EXPECT_EQ(LanguageOf(nullptr, nullptr, "kr_KO"), en);
    EXPECT_EQ(LanguageOf(nullptr, nullptr, nullptr), en);
}

TEST(Language, EveryExitCodeAndSubcommandHasItsMeaningInBoth) {
    for (const Language language : {Language::English, Language::Korean}) {
        const Words& words = WordsFor(language);
        for (const char* meaning : words.meanings) {
            EXPECT_TRUE(meaning != nullptr && std::strlen(meaning) > 0);
        }
        for (const char* meaning : words.succeeded) {
            EXPECT_TRUE(meaning != nullptr && std::strlen(meaning) > 0);
        }
        EXPECT_STREQ(ClosingMeaning(words, Subcommand::Info, ExitCode::Restart), words.meanings[8]);
    }
}

} // namespace
