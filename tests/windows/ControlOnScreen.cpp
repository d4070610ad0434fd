// Where a control of brimlet.exe's windows is on the screen, for a test that clicks
// it with real input (xdotool). Reads window geometry only; sends nothing.
// Usage: control-on-screen.exe transfer|notice-ok|model
// Prints "<x> <y>", the centre of the control in screen pixels, and exits 0 when a
// visible dialog of the program has that control visible and enabled (a user could
// click it); exits 1 otherwise.
#include "resources/ResourceIds.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

struct Search {
    int id;
    HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    HWND control = GetDlgItem(window, search->id);
    if (IsWindowVisible(window) && wcscmp(className, L"#32770") == 0 && control != nullptr &&
        IsWindowVisible(control) && IsWindowEnabled(control)) {
        search->found = control;
        return FALSE;
    }
    return TRUE;
}

// The controls the window test clicks, by the names it uses; 0 for another name.
int IdOf(const char* name) {
    const struct {
        const char* name;
        int id;
    } controls[] = {{"transfer", IDC_TRANSFER_BUTTON},
                    {"notice-ok", IDC_NOTICE_OK_BUTTON},
                    {"model", IDC_MODEL_NAME_FIELD}};
    for (const auto& control : controls) {
        if (std::strcmp(name, control.name) == 0) {
            return control.id;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 || IdOf(argv[1]) == 0) {
        std::fprintf(stderr, "usage: control-on-screen.exe transfer|notice-ok|model\n");
        return 2;
    }
    Search search{IdOf(argv[1]), nullptr};
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    RECT rect{};
    if (search.found == nullptr || !GetWindowRect(search.found, &rect)) {
        return 1;
    }
    std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    return 0;
}
