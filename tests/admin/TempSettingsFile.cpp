#include "tests/admin/TempSettingsFile.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

TempSettingsFile::TempSettingsFile()
    : path_(folder_.Path() / "Brimlet.ini"), seam_(path_.string()) {}

void TempSettingsFile::Write(const std::string& content) const {
    std::ofstream file(path_, std::ios::binary | std::ios::trunc);
    file << content;
    if (!file.flush()) {
        throw std::runtime_error("cannot write " + path_.string());
    }
}

std::string TempSettingsFile::Read() const {
    std::ifstream file(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
