#include "download/BlockTransfer.h"
#include "download/DownloadSequence.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <new>

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

// The whole file, or nothing: empty, unreadable and oversized files give no buffer.
// Opened for reading only, so a read-only file or one open elsewhere still loads.
std::unique_ptr<unsigned char[]> ReadImageFile(const std::string& path, std::int32_t& length) {
    length = 0;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        return nullptr;
    }
    const std::streamoff size = file.tellg();
    if (size <= 0 || size > kLargestImage) {
        return nullptr;
    }
    // One byte more than the file, as the image has always been held.
    std::unique_ptr<unsigned char[]> buffer(new (std::nothrow) unsigned char[size + 1]());
    if (!buffer) {
        return nullptr;
    }
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(buffer.get()), size)) {
        return nullptr;
    }
    length = static_cast<std::int32_t>(size);
    return buffer;
}

} // namespace

std::int32_t DownloadSequence::LoadFirmwareImage() {
    const std::string extension = LowerExtension(firmwarePath);
    imageBuffer.reset();
    std::int32_t length = 0;
    imageBuffer = ReadImageFile(firmwarePath, length);
    if (extension == kRefusedExtension) {
        view.ShowMessage(kBinOnlyText);
        return -1;
    }
    if (!imageBuffer) {
        return -1;
    }
    return length;
}
