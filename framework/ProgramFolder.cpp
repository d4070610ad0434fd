#include "framework/ProgramFolder.h"

#include <mutex>
#include <unistd.h>
#include <utility>
#include <vector>

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

std::string GetModuleFileName() {
    std::vector<char> buffer(4096);
    ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) {
        return {};
    }
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

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

std::string GetSettingsPath() {
    std::string path = Read(settingsPathOverride);
    return path.empty() ? GetProgramFolder() + "/Brimlet.ini" : path;
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
