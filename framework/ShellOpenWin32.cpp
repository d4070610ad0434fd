#include "framework/Win32.h"

#include "framework/ShellOpen.h"
#include "framework/WideText.h"

#include <shellapi.h>

bool ShellOpen(const std::string& path) {
    const std::wstring wide = Widen(path);
    if (path.empty() || GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    // Values above 32 mean the associated program was started.
    const auto started = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return started > 32;
}
