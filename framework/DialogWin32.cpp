#include "framework/Win32.h"

#include "framework/Dialog.h"
#include "framework/DialogWindowWin32.h"
#include "framework/UiThread.h"

#include <algorithm>
#include <utility>

namespace {

constexpr UINT kMinimumTimerMs = 10; // USER_TIMER_MINIMUM

HWND WindowOf(CWnd* wnd) {
    return wnd != nullptr ? wnd->Widget() : nullptr;
}

} // namespace

BOOL CDialog::Build(CWnd*) {
    window = new DialogWindow(*this);
    return TRUE;
}

DialogWindow* CDialog::ReleaseWindow() {
    DialogWindow* released = window;
    if (released == nullptr) {
        return nullptr;
    }
    for (const auto& [id, timerId] : timers) {
        ::KillTimer(released->hwnd, id);
    }
    timers.clear();
    released->Detach();
    if (released->hwnd != nullptr) {
        ::ShowWindow(released->hwnd, SW_HIDE);
    }
    systemMenu.reset();
    controls.clear();
    Attach(nullptr, kNoControlId);
    window = nullptr;
    return released;
}

INT_PTR CDialog::DoModal() {
    if (!IsUiThread()) {
        INT_PTR result = -1;
        RunOnUiThread([&] { result = DoModal(); });
        return result;
    }
    if (window != nullptr) {
        return -1;
    }
    modal = true;
    Build(parent);
    // DialogBoxIndirectParamW disables the owner and nothing else: the main window,
    // without one, blocks nothing.
    INT_PTR result = window->RunModal(WindowOf(parent));
    delete ReleaseWindow(); // Windows has destroyed the dialog when the call returns
    modal = false;
    return result;
}

BOOL CDialog::Create(CWnd* parentWindow) {
    BOOL created = FALSE;
    RunOnUiThread([&] {
        if (window != nullptr) {
            return;
        }
        modal = false;
        parent = parentWindow;
        Build(parentWindow);
        if (window->CreateModeless(WindowOf(parentWindow)) == nullptr) {
            delete ReleaseWindow();
            return;
        }
        if (window != nullptr && !window->ended) {
            ::ShowWindow(window->hwnd, SW_SHOW);
        }
        created = TRUE;
    });
    return created;
}

void CDialog::DestroyWindow() {
    RunOnUiThread([&] {
        // Later: this may run inside a handler of the very window.
        if (DialogWindow* released = ReleaseWindow()) {
            PostToUiThread([released] {
                if (released->hwnd != nullptr) {
                    ::DestroyWindow(released->hwnd);
                }
                delete released;
            });
        }
    });
}

void CDialog::EndDialog(int result) {
    RunOnUiThread([&] {
        if (window == nullptr) {
            return;
        }
        window->ended = true;
        window->endResult = result;
        if (modal) {
            ::EndDialog(window->hwnd, result);
        } else {
            ::ShowWindow(window->hwnd, SW_HIDE);
        }
    });
}

void CDialog::InitDialog() {
    OnInitDialog();
    if (window == nullptr) {
        return;
    }
    for (const ControlTemplate& control : dialogTemplate.controls) {
        CWnd* item = GetDlgItem(control.id);
        if (item == nullptr) {
            continue;
        }
        CDC dc;
        OnCtlColor(&dc, item, CtlColorOf(control.kind));
        if (std::optional<COLORREF> color = dc.GetTextColor()) {
            window->SetTextColor(item->Widget(), *color);
        }
    }
}

UINT_PTR CDialog::SetTimer(UINT_PTR id, UINT elapseMs) {
    UINT_PTR result = 0;
    RunOnUiThread([&] {
        if (window == nullptr || window->hwnd == nullptr) {
            return;
        }
        // Setting an id that runs replaces it, as Windows does.
        if (::SetTimer(window->hwnd, id, std::max(elapseMs, kMinimumTimerMs), nullptr) == 0) {
            return;
        }
        timers[id] = static_cast<int>(id);
        result = id;
    });
    return result;
}

BOOL CDialog::KillTimer(UINT_PTR id) {
    BOOL killed = FALSE;
    RunOnUiThread([&] {
        auto running = timers.find(id);
        if (running == timers.end() || window == nullptr) {
            return;
        }
        ::KillTimer(window->hwnd, id);
        timers.erase(running);
        killed = TRUE;
    });
    return killed;
}

HICON CDialog::SetIcon(HICON icon, BOOL big) {
    HICON previous = nullptr;
    RunOnUiThread([&] {
        HICON& slot = big ? bigIcon : smallIcon;
        previous = std::exchange(slot, icon);
        if (window != nullptr && window->hwnd != nullptr) {
            SendMessageW(window->hwnd, WM_SETICON, big ? ICON_BIG : ICON_SMALL,
                         reinterpret_cast<LPARAM>(icon));
        }
    });
    return previous;
}

int CDialog::FocusedButtonId(HWND focus) const {
    wchar_t className[16] = {};
    if (focus == nullptr || GetClassNameW(focus, className, 16) == 0 ||
        lstrcmpiW(className, L"Button") != 0) {
        return kNoControlId;
    }
    const LONG_PTR type = GetWindowLongPtrW(focus, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON ? ::GetDlgCtrlID(focus) : kNoControlId;
}

void CDialog::OpenSystemMenu() {
    PostMessageW(window->hwnd, WM_SYSCOMMAND, SC_KEYMENU, VK_SPACE);
}
