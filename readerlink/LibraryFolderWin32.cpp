#include "readerlink/LibraryFolder.h"

#include <windows.h>

#include <vector>

namespace readerlink {

namespace {

// Any address inside this library names its module.
const int kAnchor = 0;

} // namespace

std::filesystem::path LibraryFolder() {
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&kAnchor), &module)) {
        return {};
    }
    // Long paths exceed MAX_PATH: grow until the name fits.
    std::vector<wchar_t> name(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(module, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) {
            return {};
        }
        if (length < name.size()) {
            return std::filesystem::path(std::wstring(name.data(), length)).parent_path();
        }
        name.resize(name.size() * 2);
    }
}

} // namespace readerlink
