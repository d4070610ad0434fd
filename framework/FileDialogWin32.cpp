#include "framework/Win32.h"

#include "framework/FileDialog.h"
#include "framework/FileFilter.h"
#include "framework/UiThread.h"
#include "framework/WideText.h"
#include "framework/Wnd.h"

#include <commdlg.h>

#include <algorithm>

namespace {

// "name\0pattern;pattern\0...\0\0", the form GetOpenFileNameW takes.
std::wstring WindowsFilter(const std::string& filter) {
    std::wstring result;
    for (const FileFilter& entry : ParseFileFilter(filter.c_str())) {
        std::string patterns;
        for (const std::string& pattern : entry.patterns) {
            patterns += (patterns.empty() ? "" : ";") + pattern;
        }
        result += Widen(entry.name) + L'\0' + Widen(patterns) + L'\0';
    }
    return result + L'\0';
}

constexpr std::size_t kPathCharacters = 32768; // the longest path Windows takes

} // namespace

INT_PTR CFileDialog::DoModal() {
    INT_PTR result = IDCANCEL;
    RunOnUiThread([&] {
        const std::wstring filters = WindowsFilter(filter);
        const std::wstring extension = Widen(defaultExtension);
        std::wstring path = Widen(initialName);
        path.resize(kPathCharacters, L'\0');
        OPENFILENAMEW dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = parent != nullptr ? parent->Widget() : nullptr;
        dialog.lpstrFilter = filters.size() > 1 ? filters.c_str() : nullptr;
        dialog.lpstrFile = path.data();
        dialog.nMaxFile = static_cast<DWORD>(path.size());
        dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
        dialog.Flags = flags | OFN_EXPLORER | OFN_NOCHANGEDIR |
                       (openFileDialog ? OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST : 0);
        const BOOL chosen = openFileDialog ? GetOpenFileNameW(&dialog) : GetSaveFileNameW(&dialog);
        if (chosen) {
            path.resize(path.find(L'\0'));
            // Joined with "/" like every path of the program; Windows takes either.
            chosenPath = Narrow(path);
            std::replace(chosenPath.begin(), chosenPath.end(), '\\', '/');
            result = IDOK;
        }
    });
    return result;
}
