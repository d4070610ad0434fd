#pragma once

// Include framework/Win32.h first.
#include "framework/DialogWindowWin32.h"
#include "framework/UiThread.h"
#include "framework/Wnd.h"

// Runs use on the UI thread with the window of wnd; result stays fallback when the
// window is gone.
template <class R, class Use> R WithWindow(const CWnd& wnd, R fallback, Use use) {
    R result = fallback;
    RunOnUiThread([&] {
        HWND window = wnd.Widget();
        if (window != nullptr && IsWindow(window) && !IsReleasedWindow(window)) {
            result = use(window);
        }
    });
    return result;
}

template <class Use> void WithWindow(const CWnd& wnd, Use use) {
    WithWindow(wnd, 0, [&](HWND window) {
        use(window);
        return 0;
    });
}
