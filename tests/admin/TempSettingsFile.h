#pragma once

#include "framework/ProgramFolder.h"
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// Brimlet.ini in a fresh temporary folder, made the program's settings path for
// the life of the object; the folder goes with it.
class TempSettingsFile {
public:
    TempSettingsFile() = default;
    explicit TempSettingsFile(const std::string& content) { Write(content); }
    const std::filesystem::path& path() const { return path_; }
    void Write(const std::string& content) const {
        std::ofstream(path_, std::ios::binary | std::ios::trunc) << content;
    }
    std::string Read() const { // the whole file, byte for byte; empty when it is missing
        std::ifstream file(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

private:
    testsupport::TempFolder folder_;
    std::filesystem::path path_ = folder_.Path() / "Brimlet.ini";
    ScopedSettingsPath seam_{path_.string()};
};
