#include "framework/UserFolders.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace {

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return home;
    }
    // A service started without HOME still has an entry in the user database.
    const passwd* entry = getpwuid(getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
}

// The base directory rule: only an absolute path counts, otherwise the default.
std::string BaseFolder(const char* variable, const char* defaultBelowHome) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] == '/') {
        return value;
    }
    return HomeFolder() + defaultBelowHome;
}

} // namespace

bool IsInstalledProgramFolder(const std::string& programFolder) {
    if (access((programFolder + "/" + kInstallMarkerName).c_str(), F_OK) == 0) {
        return true;
    }
    // A folder that is not there says nothing about where it was installed.
    return access(programFolder.c_str(), W_OK) != 0 && errno != ENOENT;
}

std::string UserConfigFolder() {
    return BaseFolder("XDG_CONFIG_HOME", "/.config") + "/brimlet";
}

std::string UserDataFolder() {
    return BaseFolder("XDG_DATA_HOME", "/.local/share") + "/brimlet";
}

std::string UserLogFilePath() {
    return BaseFolder("XDG_STATE_HOME", "/.local/state") + "/brimlet/brimlet.log";
}
