#include "tests/reader/PrivateProgramFolder.h"

#include "readerlink/VexilonDll.h"

#include <cstdlib>
#include <dlfcn.h>
#include <string>

namespace {

constexpr int kLastProbedPort = 100;

} // namespace

std::filesystem::path PrivateProgramFolder() {
    const char* folder = std::getenv(kProgramFolderVariable);
    return folder == nullptr ? std::filesystem::path{} : std::filesystem::path(folder);
}

std::filesystem::path LoadedVexilonFile() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&VQ_Polling), &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    std::error_code error;
    const std::filesystem::path file = std::filesystem::canonical(info.dli_fname, error);
    return error ? std::filesystem::path{} : file;
}

void UnplugIdlePorts(const std::filesystem::path& programFolder) {
    const std::filesystem::path ports = programFolder / "ports";
    std::filesystem::create_directories(ports);
    for (int port = 1; port <= kLastProbedPort; ++port) {
        const std::filesystem::path link = ports / ("COM" + std::to_string(port));
        std::error_code error;
        if (!std::filesystem::exists(std::filesystem::symlink_status(link, error))) {
            std::filesystem::create_symlink(programFolder / "unplugged" / link.filename(), link);
        }
    }
}
