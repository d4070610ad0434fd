#include "framework/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>
#include <vector>

namespace {

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, const std::string& content) {
    std::size_t written = 0;
    while (written < content.size()) {
        ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

// A new file's name must reach the disk as well as its bytes.
void FlushFolder(const std::string& folderPath) {
    int folder = ::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

// The last byte is a line end, or one is written: what a crash cut short ends there.
bool EndTornLine(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return false;
    }
    char last = '\n';
    if (info.st_size > 0 && ::pread(fd, &last, 1, info.st_size - 1) != 1) {
        return false;
    }
    return last == '\n' || WriteAll(fd, "\n");
}

// A symbolic link to the settings file stays a link: the file it names is replaced.
std::string ResolveLink(const std::string& path) {
    char resolved[PATH_MAX];
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode) &&
        ::realpath(path.c_str(), resolved) != nullptr) {
        return resolved;
    }
    return path;
}

} // namespace

FileContent ReadWholeFile(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return {errno == ENOENT || errno == ENOTDIR ? FileReadStatus::Missing
                                                    : FileReadStatus::Failed,
                {}};
    }
    struct stat info {};
    FileContent result{FileReadStatus::Ok, {}};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        result.status = FileReadStatus::Failed;
    }
    std::vector<char> buffer(64 * 1024);
    while (result.status == FileReadStatus::Ok) {
        ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            result.status = FileReadStatus::Failed;
        } else if (n == 0) {
            break;
        } else {
            result.bytes.append(buffer.data(), static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    if (result.status != FileReadStatus::Ok) {
        result.bytes.clear();
    }
    return result;
}

std::optional<std::string> WriteTemporaryBeside(const std::string& path,
                                                const std::string& content) {
    std::string target = ResolveLink(path);
    std::string temporary = target + ".XXXXXX";
    int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return std::nullopt;
    }
    // Keep the permissions of the file being replaced; a new file gets rw-r--r--.
    struct stat info {};
    mode_t mode = ::stat(target.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0644;
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, content) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok) {
        ::unlink(temporary.c_str());
        return std::nullopt;
    }
    return temporary;
}

bool CommitReplacement(const std::string& temporaryPath, const std::string& path) {
    std::string target = ResolveLink(path);
    if (::rename(temporaryPath.c_str(), target.c_str()) != 0) {
        return false;
    }
    // The rename itself must reach the disk, or a crash could bring the old name back.
    FlushFolder(FolderOf(target));
    return true;
}

bool ReplaceFileAtomically(const std::string& path, const std::string& content) {
    std::optional<std::string> temporary = WriteTemporaryBeside(path, content);
    if (!temporary) {
        return false;
    }
    if (!CommitReplacement(*temporary, path)) {
        ::unlink(temporary->c_str());
        return false;
    }
    return true;
}

bool AppendLineDurably(const std::string& path, const std::string& line) {
    std::error_code error;
    std::filesystem::create_directories(FolderOf(path), error);
    const bool existed = ::access(path.c_str(), F_OK) == 0;
    int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    int locked = -1;
    while ((locked = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
    }
    // O_APPEND puts the one write at the end whoever wrote last; the lock keeps the
    // line-end check and the write together.
    const bool ok = locked == 0 && EndTornLine(fd) && WriteAll(fd, line) && ::fsync(fd) == 0;
    ::close(fd); // releases the lock
    if (ok && !existed) {
        FlushFolder(FolderOf(path));
    }
    return ok;
}
