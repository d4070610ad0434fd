#include "readerlink/LibraryFolder.h"

#include <dlfcn.h>

namespace readerlink {

namespace {

// Any address inside this library will do for dladdr.
const int kAnchor = 0;

} // namespace

std::filesystem::path LibraryFolder() {
    Dl_info info{};
    if (dladdr(&kAnchor, &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    std::error_code error;
    const std::filesystem::path file = std::filesystem::absolute(info.dli_fname, error);
    return error ? std::filesystem::path{} : file.parent_path();
}

} // namespace readerlink
