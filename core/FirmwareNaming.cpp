#include "core/FirmwareNaming.h"

#include <string_view>

namespace {

constexpr std::string_view kFolderName = "RIVI_OIL";

bool IsUnsafeModelName(const std::string& modelName) {
    return modelName.find_first_of("/\\*?[") != std::string::npos ||
           modelName.find("..") != std::string::npos;
}

} // namespace

std::string FirmwareFolder(const std::string& programFolder) {
    return programFolder + "/" + std::string(kFolderName);
}

std::optional<std::string> FirmwareNamePattern(const std::string& modelName) {
    if (IsUnsafeModelName(modelName)) {
        return std::nullopt;
    }
    return "MakeEncryptFW_" + std::string(kFolderName) + "-" + modelName + "-*.bin";
}

bool IsFirmwareFileOfModel(const std::string& fileName, const std::string& modelName) {
    const std::size_t versionStart =
        std::string_view("MakeEncryptFW_-").size() + kFolderName.size() + modelName.size() + 1;
    return fileName.size() >= versionStart && fileName.find('-', versionStart) == std::string::npos;
}

std::string VersionFromFirmwarePath(const std::string& path) {
    const std::size_t dash = path.rfind('-');
    const std::size_t dot = path.rfind('.');
    if (dash == std::string::npos || dot == std::string::npos || dot < dash) {
        return {};
    }
    return path.substr(dash + 1, dot - dash - 1);
}

bool IsRiviFirmwarePath(const std::string& path) {
    return path.find("RIVI") != std::string::npos;
}
