#include "framework/ProgramFolder.h"

#include "framework/UserFolders.h"

#include <filesystem>
#include <mutex>
#include <utility>

namespace {

// The seams are set by tests on their main thread but read by the worker as well.
std::mutex seamMutex;
std::string programFolderOverride;
std::string settingsPathOverride;

std::string Swap(std::string& slot, std::string value) {
    std::lock_guard lock(seamMutex);
    return std::exchange(slot, std::move(value));
}

std::string Read(const std::string& slot) {
    std::lock_guard lock(seamMutex);
    return slot;
}

} // namespace

std::string GetProgramFolder() {
    std::string folder = Read(programFolderOverride);
    if (!folder.empty()) {
        return folder;
    }
    std::string program = GetModuleFileName();
    std::size_t slash = program.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : program.substr(0, slash);
}

std::string GetSettingsPath(const std::string& fileName) {
    std::string path = Read(settingsPathOverride);
    if (!path.empty()) {
        return path;
    }
    const std::string programFolder = GetProgramFolder();
    if (!IsInstalledProgramFolder(programFolder)) {
        return programFolder + "/" + fileName;
    }
    // The atomic write puts its new file beside the settings file: the folder
    // must be there. If it cannot be made, the write fails and says so.
    const std::string folder = UserConfigFolder();
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder + "/" + fileName;
}

std::vector<std::string> GetFirmwareSearchFolders() {
    const std::string programFolder = GetProgramFolder();
    if (!IsInstalledProgramFolder(programFolder)) {
        return {programFolder};
    }
    return {UserDataFolder(), programFolder};
}

ScopedProgramFolder::ScopedProgramFolder(std::string folder)
    : previous(Swap(programFolderOverride, std::move(folder))) {}

ScopedProgramFolder::~ScopedProgramFolder() {
    Swap(programFolderOverride, std::move(previous));
}

ScopedSettingsPath::ScopedSettingsPath(std::string path)
    : previous(Swap(settingsPathOverride, std::move(path))) {}

ScopedSettingsPath::~ScopedSettingsPath() {
    Swap(settingsPathOverride, std::move(previous));
}
