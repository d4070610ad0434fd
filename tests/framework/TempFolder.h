#pragma once

#include <filesystem>
#include <fstream>
#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it.
struct TempFolder {
    TempFolder() : path((std::filesystem::temp_directory_path() / "fwtest-XXXXXX").string()) {
        if (::mkdtemp(path.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string File(const std::string& name) const { return path + "/" + name; }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(File(name), std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(File(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string path;
};
