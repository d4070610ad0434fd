#include "framework/FileFind.h"
#include "tests/framework/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(FindFilesTest, WildcardMatches) {
    struct Case {
        const char* fileName;
        const char* pattern;
        bool matches;
    };
    const Case cases[] = {
        {"MakeEncryptFW.BIN", "makeencryptfw.bin", true},
        {"MakeEncryptFW_RIVI_OIL-M-150803.bin", "MakeEncryptFW_RIVI_OIL-M-*.bin", true},
        {"ab.bin", "ab*.bin", true},
        {"a-b-c-d.bin", "a-*-d.bin", true},
        {"a-1.bins", "a-*.bin", false},
        {"a", "a?", false},
        {"a한", "a?", true},
        {"", "*", true},
        {"a", "", false},
        {"README", "*.*", true},
        {"README", "*.", false},
        {"XMakeEncryptFW_a.bin", "MakeEncryptFW_*.bin", false},
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*a*a*a*c", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WildcardMatch(c.fileName, c.pattern), c.matches)
            << c.fileName << " ~ " << c.pattern;
    }
}

TEST(FindFilesTest, ListsMatchingFilesSortedWithFullPaths) {
    TempFolder folder;
    folder.Write("MakeEncryptFW_RIVI_OIL-MODEL-2.bin", "x");
    folder.Write("makeencryptfw_rivi_oil-model-1.BIN", "x");
    folder.Write("MakeEncryptFW_RIVI_OIL-OTHER-1.bin", "x");
    folder.Write("target.dat", "x");
    std::filesystem::create_directory(folder.File("MakeEncryptFW_RIVI_OIL-MODEL-dir.bin"));
    std::filesystem::create_symlink(folder.File("target.dat"),
                                    folder.File("MakeEncryptFW_RIVI_OIL-MODEL-link.bin"));
    std::filesystem::create_symlink(folder.File("gone.dat"),
                                    folder.File("MakeEncryptFW_RIVI_OIL-MODEL-dangling.bin"));
    std::vector<FoundFile> found = FindFiles(folder.path, "MakeEncryptFW_RIVI_OIL-MODEL-*.bin");
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].fileName, "MakeEncryptFW_RIVI_OIL-MODEL-2.bin");
    EXPECT_EQ(found[0].fullPath, folder.File("MakeEncryptFW_RIVI_OIL-MODEL-2.bin"));
    EXPECT_EQ(found[1].fileName, "MakeEncryptFW_RIVI_OIL-MODEL-link.bin");
    EXPECT_EQ(found[2].fileName, "makeencryptfw_rivi_oil-model-1.BIN");
    EXPECT_TRUE(FindFiles(folder.File("RIVI_OIL"), "*").empty());
    EXPECT_TRUE(FindFiles("", "*").empty());
}

} // namespace
