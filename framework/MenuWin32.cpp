#include "framework/Win32.h"

#include "framework/Dialog.h"
#include "framework/Menu.h"
#include "framework/UiThread.h"
#include "framework/WideText.h"

// Windows gives every dialog with a system menu its own, Close included: the
// CMenu works on that menu. Its items list stays empty.

namespace {

HMENU SystemMenuOf(const CDialog& owner) {
    HWND window = owner.Widget();
    return window != nullptr ? ::GetSystemMenu(window, FALSE) : nullptr;
}

} // namespace

CMenu::CMenu(CDialog& owner) : owner(owner) {}

CMenu::~CMenu() = default;

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, const char* text) {
    if ((flags & MF_SEPARATOR) == 0 && text == nullptr) {
        return FALSE;
    }
    BOOL appended = FALSE;
    RunOnUiThread([&] {
        const std::wstring wide = Widen(text != nullptr ? text : "");
        appended = ::AppendMenuW(SystemMenuOf(owner), flags, id,
                                 (flags & MF_SEPARATOR) != 0 ? nullptr : wide.c_str());
    });
    return appended;
}

UINT CMenu::EnableMenuItem(UINT id, UINT enable) {
    UINT previous = kNoSuchMenuItem;
    RunOnUiThread([&] {
        previous = static_cast<UINT>(
            ::EnableMenuItem(SystemMenuOf(owner), id, MF_BYCOMMAND | (enable & ~MF_BYPOSITION)));
    });
    return previous;
}

UINT CMenu::GetMenuState(UINT id, UINT flags) const {
    UINT state = kNoSuchMenuItem;
    RunOnUiThread([&] { state = ::GetMenuState(SystemMenuOf(owner), id, flags); });
    return state;
}

void CMenu::Popup(int screenX, int screenY) {
    HWND window = owner.Widget();
    popup = SystemMenuOf(owner);
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(
        popup, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, screenX, screenY, 0, window, nullptr));
    popup = nullptr;
    if (chosen != 0) {
        PostMessageW(window, WM_SYSCOMMAND, chosen, 0);
    }
}

NativeMenu CMenu::PopupMenu() const {
    return popup;
}
