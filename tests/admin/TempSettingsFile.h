#pragma once

#include "framework/ProgramFolder.h"
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <string>

// Brimlet.ini in a fresh temporary folder, made the program's settings path for
// the life of the object; the folder goes with it.
class TempSettingsFile {
public:
    TempSettingsFile();

    const std::filesystem::path& path() const { return path_; }
    void Write(const std::string& content) const;
    std::string Read() const; // the whole file, byte for byte; empty when it is missing

private:
    testsupport::TempFolder folder_;
    std::filesystem::path path_;
    ScopedSettingsPath seam_;
};
