// see UserFolders.h
#include "framework/UserFolders.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

// %APPDATA% and %LOCALAPPDATA% stand where XDG_CONFIG_HOME and XDG_DATA_HOME do.
std::string Folder(const char* variable) {
    const char* value = std::getenv(variable);
    return (value != nullptr ? std::string(value) : std::string(".")) + "/brimlet";
}

} // namespace

// Windows has no write-permission rule the program can rely on here: only the marker
// counts.
bool IsInstalledProgramFolder(const std::string& programFolder) {
    std::error_code error;
    return std::filesystem::exists(programFolder + "/" + kInstallMarkerName, error);
}

std::string UserConfigFolder() {
    return Folder("APPDATA");
}

std::string UserDataFolder() {
    return Folder("LOCALAPPDATA");
}

std::string UserLogFilePath() {
    return Folder("LOCALAPPDATA") + "/brimlet.log";
}
