#include "framework/ProgramFolder.h"
#include "framework/UserFolders.h"
#include "tests/framework/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace {

// Sets (or, with nullopt, unsets) an environment variable for one scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            previous_ = old;
        }
        value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    }
    ~ScopedEnvironment() { previous_ ? ::setenv(name_, previous_->c_str(), 1) : ::unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> previous_;
};

TEST(UserFolders, OnlyAnAbsoluteBaseFolderCountsOtherwiseTheHomeDefault) {
    const ScopedEnvironment home("HOME", "/home/tech");
    struct Case {
        const char* name;
        std::optional<std::string> value;
        const char* config;
        const char* data;
    };
    const Case cases[] = {
        {"set", "/srv/x", "/srv/x/brimlet", "/srv/x/brimlet"},
        {"unset", std::nullopt, "/home/tech/.config/brimlet", "/home/tech/.local/share/brimlet"},
        {"empty", "", "/home/tech/.config/brimlet", "/home/tech/.local/share/brimlet"},
        {"relative", "x/y", "/home/tech/.config/brimlet", "/home/tech/.local/share/brimlet"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ScopedEnvironment config("XDG_CONFIG_HOME", c.value);
        const ScopedEnvironment data("XDG_DATA_HOME", c.value);
        EXPECT_EQ(UserConfigFolder(), c.config);
        EXPECT_EQ(UserDataFolder(), c.data);
    }
}

class InstalledPaths : public testing::Test {
protected:
    TempFolder program;
    TempFolder user;
    ScopedProgramFolder programSeam{program.path};
    ScopedEnvironment config{"XDG_CONFIG_HOME", user.File("config")};
    ScopedEnvironment data{"XDG_DATA_HOME", user.File("data")};
};

TEST_F(InstalledPaths, PortableFolderKeepsEverythingBesideTheProgram) {
    EXPECT_FALSE(IsInstalledProgramFolder(program.path));
    EXPECT_EQ(GetSettingsPath(), program.File("Brimlet.ini"));
    EXPECT_EQ(GetFirmwareSearchFolders(), std::vector<std::string>{program.path});
    EXPECT_FALSE(std::filesystem::exists(user.File("config")));
}

TEST_F(InstalledPaths, MarkedFolderUsesTheUsersFoldersAndTheirFirmwareFirst) {
    program.Write(kInstallMarkerName, "");
    EXPECT_TRUE(IsInstalledProgramFolder(program.path));
    EXPECT_EQ(GetSettingsPath(), user.File("config/brimlet/Brimlet.ini"));
    // Made on the way, so the settings file can be written at once.
    EXPECT_TRUE(std::filesystem::is_directory(user.File("config/brimlet")));
    EXPECT_EQ(GetFirmwareSearchFolders(),
              (std::vector<std::string>{user.File("data/brimlet"), program.path}));
}

TEST_F(InstalledPaths, MissingFolderIsNotTakenForAReadOnlyOne) {
    EXPECT_FALSE(IsInstalledProgramFolder(program.File("gone")));
}

} // namespace
