#include "framework/FileFind.h"
#include "tests/framework/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct MatchCase {
    const char* name;
    const char* fileName;
    const char* pattern;
    bool matches;
};

class Wildcard : public testing::TestWithParam<MatchCase> {};

TEST_P(Wildcard, Matches) {
    EXPECT_EQ(WildcardMatch(GetParam().fileName, GetParam().pattern), GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Wildcard,
    testing::Values(
        MatchCase{"Exact", "a.bin", "a.bin", true},
        MatchCase{"CaseInsensitive", "MakeEncryptFW.BIN", "makeencryptfw.bin", true},
        MatchCase{"StarMiddle", "MakeEncryptFW_RIVI_OIL-M-150803.bin",
                  "MakeEncryptFW_RIVI_OIL-M-*.bin", true},
        MatchCase{"StarEmpty", "ab.bin", "ab*.bin", true},
        MatchCase{"StarBacktracks", "a-b-c-d.bin", "a-*-d.bin", true},
        MatchCase{"WrongExtension", "a-1.hex", "a-*.bin", false},
        MatchCase{"ExtensionLonger", "a-1.bins", "a-*.bin", false},
        MatchCase{"QuestionOne", "ab", "a?", true}, MatchCase{"QuestionNotZero", "a", "a?", false},
        MatchCase{"QuestionKorean", "a한", "a?", true}, MatchCase{"StarStar", "abc", "**c", true},
        MatchCase{"OnlyStar", "", "*", true}, MatchCase{"EmptyPattern", "a", "", false},
        MatchCase{"StarDotStarNoDot", "README", "*.*", true},
        MatchCase{"StarDotNeedsDot", "README", "*.", false},
        MatchCase{"PrefixMismatch", "XMakeEncryptFW_a.bin", "MakeEncryptFW_*.bin", false},
        MatchCase{"LongNoCatastrophe", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab",
                  "*a*a*a*a*a*a*a*a*a*a*c", false}),
    [](const testing::TestParamInfo<MatchCase>& info) { return info.param.name; });

TEST(FindFilesTest, ListsMatchingRegularFilesSortedWithFullPaths) {
    TempFolder folder;
    folder.Write("MakeEncryptFW_RIVI_OIL-MODEL-2.bin", "x");
    folder.Write("makeencryptfw_rivi_oil-model-1.BIN", "x");
    folder.Write("MakeEncryptFW_RIVI_OIL-OTHER-1.bin", "x");
    std::filesystem::create_directory(folder.File("MakeEncryptFW_RIVI_OIL-MODEL-dir.bin"));
    std::vector<FoundFile> found = FindFiles(folder.path, "MakeEncryptFW_RIVI_OIL-MODEL-*.bin");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].fileName, "MakeEncryptFW_RIVI_OIL-MODEL-2.bin");
    EXPECT_EQ(found[0].fullPath, folder.File("MakeEncryptFW_RIVI_OIL-MODEL-2.bin"));
    EXPECT_EQ(found[1].fileName, "makeencryptfw_rivi_oil-model-1.BIN");
}

TEST(FindFilesTest, FollowsLinksToFiles) {
    TempFolder folder;
    folder.Write("target.dat", "x");
    std::filesystem::create_symlink(folder.File("target.dat"), folder.File("link.bin"));
    std::filesystem::create_symlink(folder.File("gone.dat"), folder.File("dangling.bin"));
    std::vector<FoundFile> found = FindFiles(folder.path, "*.bin");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].fileName, "link.bin");
}

TEST(FindFilesTest, MissingFolderFindsNothing) {
    TempFolder folder;
    EXPECT_TRUE(FindFiles(folder.File("RIVI_OIL"), "*").empty());
    EXPECT_TRUE(FindFiles("", "*").empty());
}

} // namespace
