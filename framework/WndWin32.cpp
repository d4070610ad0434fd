#include "framework/Win32.h"

#include "framework/DialogTemplate.h"
#include "framework/Font.h"
#include "framework/WideText.h"
#include "framework/WindowAccessWin32.h"

struct CWnd::State {
    HWND window = nullptr;
    int controlId = kNoControlId;
};

CWnd::CWnd() : state(std::make_unique<State>()) {}

CWnd::~CWnd() = default;

void CWnd::Attach(NativeWindow window, int controlId) {
    state->window = window;
    state->controlId = controlId;
}

NativeWindow CWnd::Widget() const {
    return state->window;
}

BOOL CWnd::IsAttached() const {
    return WithWindow(*this, FALSE, [](HWND) { return TRUE; });
}

void CWnd::SetWindowText(const std::string& text) {
    WithWindow(*this, [&](HWND window) { SetWindowTextW(window, Widen(text).c_str()); });
}

std::string CWnd::GetWindowText() const {
    return WithWindow(*this, std::string(), [](HWND window) {
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
        return Narrow(text);
    });
}

BOOL CWnd::EnableWindow(BOOL enable) {
    return WithWindow(*this, FALSE, [&](HWND window) { return ::EnableWindow(window, enable); });
}

BOOL CWnd::IsWindowEnabled() const {
    return WithWindow(*this, FALSE, [](HWND window) { return ::IsWindowEnabled(window); });
}

BOOL CWnd::ShowWindow(int showCommand) {
    return WithWindow(*this, FALSE, [&](HWND window) {
        return ::ShowWindow(window, showCommand) != 0 ? TRUE : FALSE;
    });
}

BOOL CWnd::IsWindowVisible() const {
    return WithWindow(*this, FALSE, [](HWND window) { return ::IsWindowVisible(window); });
}

BOOL CWnd::IsIconic() const {
    return WithWindow(*this, FALSE, [](HWND window) { return ::IsIconic(window); });
}

void CWnd::SetFont(CFont* font, BOOL redraw) {
    if (font == nullptr || font->Font() == nullptr) {
        return;
    }
    WithWindow(*this, [&](HWND window) {
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font->Font()), redraw);
    });
}

void CWnd::SetFocus() {
    WithWindow(*this, [](HWND window) { ::SetFocus(window); });
}

int CWnd::GetDlgCtrlID() const {
    return state->controlId;
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    WithWindow(*this, [&](HWND window) { ::MoveWindow(window, x, y, width, height, repaint); });
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return WithWindow(*this, FALSE, [&](HWND window) {
        // Only the top of the z-order is named here; any other order is left alone.
        const UINT order = insertAfter == &wndTop ? 0 : SWP_NOZORDER;
        return ::SetWindowPos(window, HWND_TOP, x, y, cx, cy, flags | order | SWP_NOACTIVATE);
    });
}

void CWnd::GetWindowRect(RECT* rect) const {
    *rect = RECT{0, 0, 0, 0};
    WithWindow(*this, [&](HWND window) { ::GetWindowRect(window, rect); });
}

void CWnd::GetClientRect(RECT* rect) const {
    *rect = RECT{0, 0, 0, 0};
    WithWindow(*this, [&](HWND window) { ::GetClientRect(window, rect); });
}
