#pragma once

#include <string>
#include <vector>

// Where the program lives: the firmware folder, the manual and the settings file
// are found beside it.

// The running program's full path (the meaning of GetModuleFileName(NULL)), read from
// /proc/self/exe; empty if the system cannot tell.
std::string GetModuleFileName();

// The folder of the program file, without a trailing separator; the override when
// one is installed.
std::string GetProgramFolder();

// The settings file named fileName: in the program folder, or in the user's
// configuration folder (made when missing) when the program folder is installed
// (framework/UserFolders.h); the test override wins over both.
std::string GetSettingsPath(const std::string& fileName);

// The folders whose firmware folder may hold firmware, the one that wins first. Portable:
// the program folder alone. Installed: the user's data folder, then the program
// folder, so a technician can add newer firmware without touching the package.
std::vector<std::string> GetFirmwareSearchFolders();

// Test seams: each installs its value until the object goes out of scope.
class ScopedProgramFolder {
public:
    explicit ScopedProgramFolder(std::string folder);
    ~ScopedProgramFolder();
    ScopedProgramFolder(const ScopedProgramFolder&) = delete;
    ScopedProgramFolder& operator=(const ScopedProgramFolder&) = delete;

private:
    std::string previous;
};

class ScopedSettingsPath {
public:
    explicit ScopedSettingsPath(std::string path);
    ~ScopedSettingsPath();
    ScopedSettingsPath(const ScopedSettingsPath&) = delete;
    ScopedSettingsPath& operator=(const ScopedSettingsPath&) = delete;

private:
    std::string previous;
};
