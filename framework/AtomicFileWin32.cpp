#include "framework/Win32.h"

#include "framework/AtomicFile.h"
#include "framework/WideText.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

class Handle {
public:
    explicit Handle(HANDLE handle) : handle(handle) {}
    ~Handle() {
        if (IsOpen()) {
            CloseHandle(handle);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool IsOpen() const { return handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle; }

private:
    HANDLE handle;
};

bool WriteAll(HANDLE file, const std::string& content) {
    std::size_t written = 0;
    while (written < content.size()) {
        DWORD chunk = 0;
        const auto size =
            static_cast<DWORD>(std::min<std::size_t>(content.size() - written, 1u << 20));
        if (!WriteFile(file, content.data() + written, size, &chunk, nullptr) || chunk == 0) {
            return false;
        }
        written += chunk;
    }
    return true;
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
    const auto last = static_cast<ULONGLONG>(size.QuadPart - 1);
    at.Offset = static_cast<DWORD>(last);
    at.OffsetHigh = static_cast<DWORD>(last >> 32);
    char byte = 0;
    DWORD read = 0;
    if (!ReadFile(file, &byte, 1, &read, &at) || read != 1) {
        return false;
    }
    return byte == '\n' || WriteAll(file, "\n");
}

} // namespace

FileContent ReadWholeFile(const std::string& path) {
    Handle file(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) {
        const DWORD error = GetLastError();
        return {error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                    ? FileReadStatus::Missing
                    : FileReadStatus::Failed,
                {}};
    }
    if (GetFileType(file.get()) != FILE_TYPE_DISK) {
        return {FileReadStatus::Failed, {}};
    }
    FileContent result{FileReadStatus::Ok, {}};
    char buffer[64 * 1024];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) {
            return {FileReadStatus::Failed, {}};
        }
        if (read == 0) {
            return result;
        }
        result.bytes.append(buffer, read);
    }
}

// The temporary file goes to the disk before it is named into place (write-through
// and a flush), so the replacement never names half-written bytes.
std::optional<std::string> WriteTemporaryBeside(const std::string& path,
                                                const std::string& content) {
    const std::string temporary = path + ".new" + std::to_string(GetCurrentProcessId());
    bool written = false;
    {
        Handle file(CreateFileW(Widen(temporary).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
        if (!file.IsOpen()) {
            return std::nullopt;
        }
        written = WriteAll(file.get(), content) && FlushFileBuffers(file.get());
    }
    if (!written) {
        DeleteFileW(Widen(temporary).c_str());
        return std::nullopt;
    }
    return temporary;
}

bool CommitReplacement(const std::string& temporaryPath, const std::string& path) {
    return MoveFileExW(Widen(temporaryPath).c_str(), Widen(path).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool ReplaceFileAtomically(const std::string& path, const std::string& content) {
    std::optional<std::string> temporary = WriteTemporaryBeside(path, content);
    if (!temporary) {
        return false;
    }
    if (!CommitReplacement(*temporary, path)) {
        DeleteFileW(Widen(*temporary).c_str());
        return false;
    }
    return true;
}

bool AppendLineDurably(const std::string& path, const std::string& line) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(Widen(path)).parent_path(), error);
    // FILE_APPEND_DATA without FILE_WRITE_DATA: every write goes to the end.
    Handle file(CreateFileW(Widen(path).c_str(), FILE_APPEND_DATA | FILE_READ_DATA,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) {
        return false;
    }
    OVERLAPPED whole{};
    if (!LockFileEx(file.get(), LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole)) {
        return false;
    }
    const bool ok =
        EndTornLine(file.get()) && WriteAll(file.get(), line) && FlushFileBuffers(file.get());
    UnlockFileEx(file.get(), 0, MAXDWORD, MAXDWORD, &whole);
    return ok;
}
