#include "download/BlockTransfer.h"
#include "download/DownloadSequence.h"
#include "download/FirmwareChecksums.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

namespace {

constexpr char kRefusedExtension[] = "hex";
constexpr char kBinOnlyText[] = "bin 파일만 다운로드 가능합니다";

// The text after the last ".", in lower case; empty without a dot.
std::string LowerExtension(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos) {
        return {};
    }
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

std::string Trimmed(const std::string& text) {
    const char* blanks = " \t\r\n\f\v";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The whole file, read once; none when it is no regular file or does not read to its
// end. A folder "opens" on this system but cannot be read, and reading a pipe or a
// device could wait for ever or yield no firmware. Opened for reading only, so a
// read-only file or one open elsewhere still loads. Reading stops past kLargestImage:
// such a file is refused whatever the rest holds.
std::optional<std::vector<unsigned char>> ReadRegularFile(const std::string& path) {
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::vector<unsigned char> bytes;
    char chunk[65536];
    while (bytes.size() <= static_cast<std::size_t>(kLargestImage)) {
        file.read(chunk, sizeof chunk);
        bytes.insert(bytes.end(), chunk, chunk + file.gcount());
        if (!file) {
            break;
        }
    }
    if (file.bad() || (!file.eof() && bytes.size() <= static_cast<std::size_t>(kLargestImage))) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace

DownloadSequence::ImageCheck DownloadSequence::ReadFirmwareImage(const std::string& field) {
    const std::string path = Trimmed(field);
    image.clear();
    std::optional<std::vector<unsigned char>> bytes = ReadRegularFile(path);
    if (!bytes) {
        return ImageCheck::Unreadable;
    }
    std::error_code error;
    facts.fileName = std::filesystem::path(path).filename().string();
    // Reading stops past the largest image: the size on disk is the file's own.
    const std::uintmax_t sizeOnDisk = std::filesystem::file_size(path, error);
    facts.fileSize = static_cast<std::int64_t>(error ? bytes->size() : sizeOnDisk);
    if (LowerExtension(path) == kRefusedExtension) {
        view.ShowMessage(kBinOnlyText);
        return ImageCheck::Refused;
    }
    if (bytes->empty() || bytes->size() > static_cast<std::size_t>(kLargestImage)) {
        return ImageCheck::Refused;
    }
    facts.fileSha256 = Sha256Text(*bytes);
    if (const ChecksumVerdict verdict = CheckListedChecksum(path, facts.fileSha256);
        !verdict.passes) {
        reader.AddLogLine(std::string(kChecksumFileName) + " 불일치: " + facts.fileName +
                          " (목록 " + verdict.listed + ", 파일 " + facts.fileSha256 + ")");
        return ImageCheck::Refused;
    }
    image = std::move(*bytes);
    return ImageCheck::Ready;
}
