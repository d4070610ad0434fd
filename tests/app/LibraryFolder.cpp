#include "tests/app/LibraryFolder.h"

#include "readerlink/VexilonDll.h"

#include <dlfcn.h>

std::filesystem::path LoadedLibraryFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&VQ_Polling), &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    return std::filesystem::canonical(info.dli_fname).parent_path();
}
