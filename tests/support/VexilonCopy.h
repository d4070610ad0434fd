#pragma once

// The reader-link library copied into a program folder and loaded from there, so
// that it looks for ports/COM<n> links in that folder and nowhere else. Each copy
// has its own table of open ports.

#include "readerlink/VexilonDll.h"

#include <filesystem>

namespace testsupport {

class VexilonCopy {
public:
    explicit VexilonCopy(const std::filesystem::path& programFolder);
    ~VexilonCopy();
    VexilonCopy(const VexilonCopy&) = delete;
    VexilonCopy& operator=(const VexilonCopy&) = delete;

    decltype(&VQ_InitPort) InitPort = nullptr;
    decltype(&VQ_Polling) Polling = nullptr;
    decltype(&VQ_ClosePort) ClosePort = nullptr;

private:
    void* handle_ = nullptr;
};

} // namespace testsupport
