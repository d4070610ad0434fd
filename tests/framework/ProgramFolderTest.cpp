#include "framework/ProgramFolder.h"
#include "framework/ShellOpen.h"
#include "tests/framework/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

namespace {

TEST(ProgramFolderTest, ModuleFolderOverrideAndSettingsPath) {
    std::string program = GetModuleFileName();
    EXPECT_TRUE(std::filesystem::equivalent(program, "/proc/self/exe"));
    EXPECT_EQ(GetProgramFolder(), std::filesystem::path(program).parent_path().string());
    {
        ScopedProgramFolder folder("/opt/brimlet");
        EXPECT_EQ(GetSettingsPath(), "/opt/brimlet/Brimlet.ini");
        ScopedSettingsPath settings("/tmp/other.ini");
        EXPECT_EQ(GetSettingsPath(), "/tmp/other.ini");
    }
    EXPECT_EQ(GetSettingsPath(), GetProgramFolder() + "/Brimlet.ini");
    EXPECT_NE(GetProgramFolder(), "/opt/brimlet");
}

// The opener is whatever xdg-open the PATH names; a stand-in records its argument.
TEST(ShellOpenTest, HandsAnExistingPathToTheOpener) {
    TempFolder folder;
    const std::string opened = folder.File("opened");
    folder.Write("xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > \"" + opened + ".part\" && mv \"" +
                                 opened + ".part\" \"" + opened + "\"\n");
    std::filesystem::permissions(folder.File("xdg-open"), std::filesystem::perms::owner_all);
    folder.Write("manual.pdf", "%PDF");
    const char* path = std::getenv("PATH");
    const std::string saved = path != nullptr ? path : "";

    ::setenv("PATH", folder.File("none").c_str(), 1);
    EXPECT_FALSE(ShellOpen(folder.File("manual.pdf"))) << "no opener installed";
    ::setenv("PATH", (folder.path + ":" + saved).c_str(), 1);
    EXPECT_FALSE(ShellOpen(folder.File("missing.pdf")));
    EXPECT_FALSE(ShellOpen(""));
    bool started = ShellOpen(folder.File("manual.pdf"));
    ::setenv("PATH", saved.c_str(), 1);
    ASSERT_TRUE(started);
    // The opener runs detached; wait (boundedly) for it to have recorded its argument.
    for (int i = 0; i < 1000 && !std::filesystem::exists(opened); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(folder.Read("opened"), folder.File("manual.pdf"));
}

} // namespace
