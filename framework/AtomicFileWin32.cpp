// see AtomicFile.h
#include "framework/AtomicFile.h"

#include <windows.h>

#include <filesystem>
#include <system_error>

namespace {

std::filesystem::path Utf8Path(const std::string& path) {
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(path.data()), path.size()));
}

bool WriteAll(HANDLE file, const char* data, DWORD size) {
    DWORD written = 0;
    return WriteFile(file, data, size, &written, nullptr) && written == size;
}

// The last byte is a line end, or one is written: what a crash cut short ends there.
bool EndTornLine(HANDLE file) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size)) {
        return false;
    }
    if (size.QuadPart == 0) {
        return true;
    }
    OVERLAPPED at{};
    const ULONGLONG last = static_cast<ULONGLONG>(size.QuadPart - 1);
    at.Offset = static_cast<DWORD>(last);
    at.OffsetHigh = static_cast<DWORD>(last >> 32);
    char byte = 0;
    DWORD read = 0;
    if (!ReadFile(file, &byte, 1, &read, &at) || read != 1) {
        return false;
    }
    return byte == '\n' || WriteAll(file, "\n", 1);
}

} // namespace

bool AppendLineDurably(const std::string& path, const std::string& line) {
    const std::filesystem::path target = Utf8Path(path);
    std::error_code error;
    std::filesystem::create_directories(target.parent_path(), error);
    // FILE_APPEND_DATA without FILE_WRITE_DATA: every write goes to the end.
    HANDLE file = CreateFileW(target.c_str(), FILE_APPEND_DATA | FILE_READ_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    OVERLAPPED whole{};
    bool ok = LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole);
    if (ok) {
        ok = EndTornLine(file) && WriteAll(file, line.data(), static_cast<DWORD>(line.size())) &&
             FlushFileBuffers(file);
        UnlockFileEx(file, 0, MAXDWORD, MAXDWORD, &whole);
    }
    CloseHandle(file);
    return ok;
}
