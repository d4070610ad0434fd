#include "framework/ProgramFolder.h"
#include "framework/ShellOpen.h"
#include "tests/framework/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

namespace {

TEST(ProgramFolderTest, ModuleFileNameIsThisTestProgram) {
    std::string program = GetModuleFileName();
    ASSERT_FALSE(program.empty());
    EXPECT_TRUE(std::filesystem::equivalent(program, "/proc/self/exe"));
    EXPECT_EQ(GetProgramFolder(), std::filesystem::path(program).parent_path().string());
}

TEST(ProgramFolderTest, OverrideAndSettingsPathFollowIt) {
    {
        ScopedProgramFolder folder("/opt/brimlet");
        EXPECT_EQ(GetProgramFolder(), "/opt/brimlet");
        EXPECT_EQ(GetSettingsPath(), "/opt/brimlet/Brimlet.ini");
        ScopedSettingsPath settings("/tmp/other.ini");
        EXPECT_EQ(GetSettingsPath(), "/tmp/other.ini");
    }
    EXPECT_EQ(GetSettingsPath(), GetProgramFolder() + "/Brimlet.ini");
    EXPECT_NE(GetProgramFolder(), "/opt/brimlet");
}

// The opener is whatever xdg-open the PATH names; a stand-in records its argument.
class ShellOpenTest : public testing::Test {
protected:
    void SetUp() override {
        const char* path = std::getenv("PATH");
        savedPath = path != nullptr ? path : "";
        folder.Write("xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > \"" + folder.File("opened") +
                                     ".part\" && mv \"" + folder.File("opened") + ".part\" \"" +
                                     folder.File("opened") + "\"\n");
        std::filesystem::permissions(folder.File("xdg-open"), std::filesystem::perms::owner_all);
        ::setenv("PATH", (folder.path + ":" + savedPath).c_str(), 1);
    }
    void TearDown() override { ::setenv("PATH", savedPath.c_str(), 1); }

    TempFolder folder;
    std::string savedPath;
};

TEST_F(ShellOpenTest, HandsAnExistingPathToTheOpener) {
    folder.Write("FWDownladManual.pdf", "%PDF");
    ASSERT_TRUE(ShellOpen(folder.File("FWDownladManual.pdf")));
    // The opener runs detached; wait (boundedly) for it to have recorded its argument.
    for (int i = 0; i < 1000 && !std::filesystem::exists(folder.File("opened")); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(folder.Read("opened"), folder.File("FWDownladManual.pdf"));
}

TEST_F(ShellOpenTest, MissingPathFailsWithoutStartingTheOpener) {
    EXPECT_FALSE(ShellOpen(folder.File("missing.pdf")));
    EXPECT_FALSE(ShellOpen(""));
}

TEST(ShellOpenNoOpener, FailsWhenNoOpenerIsInstalled) {
    TempFolder folder;
    folder.Write("manual.pdf", "%PDF");
    const char* path = std::getenv("PATH");
    std::string saved = path != nullptr ? path : "";
    ::setenv("PATH", folder.path.c_str(), 1);
    bool opened = ShellOpen(folder.File("manual.pdf"));
    ::setenv("PATH", saved.c_str(), 1);
    EXPECT_FALSE(opened);
}

} // namespace
