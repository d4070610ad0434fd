// see ProgramFolder.h
#include "framework/ProgramFolder.h"

#include <windows.h>
// <windows.h> maps the name to GetModuleFileNameA or W; ours is the UTF-8 one.
#undef GetModuleFileName

#include <filesystem>

// With "/" between the names, as the rest of the program joins paths; Windows
// takes either separator.
std::string GetModuleFileName() {
    std::vector<wchar_t> name(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) {
            return {};
        }
        if (length < name.size()) {
            const std::u8string path =
                std::filesystem::path(std::wstring(name.data(), length)).generic_u8string();
            return std::string(path.begin(), path.end());
        }
        name.resize(name.size() * 2);
    }
}
