// The Win32 back end's wake-up of the UI thread for handed-over work: a message
// posted to a message-only window, which every message loop of the UI thread
// dispatches (the modal loops of dialogs, message boxes and menus included).
#include "framework/Win32.h"

#include "framework/UiThread.h"

#include <atomic>

namespace {

constexpr UINT kRunWork = WM_APP + 1;
constexpr const wchar_t* kClassName = L"Brimlet.HandOver";

std::atomic<DWORD> uiThread{0};
std::atomic<HWND> handOver{nullptr};

LRESULT CALLBACK HandOverProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRunWork) {
        RunQueuedUiWork();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

bool IsUiThread() {
    const DWORD thread = uiThread.load();
    return thread == 0 || thread == GetCurrentThreadId();
}

bool HasUi() {
    return handOver.load() != nullptr;
}

void WakeUiThread() {
    if (HWND window = handOver.load()) {
        PostMessageW(window, kRunWork, 0, 0);
    }
}

void InstallUiWakeUp() {
    if (handOver.load() != nullptr) {
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = HandOverProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
    uiThread = GetCurrentThreadId();
    handOver = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
}

void RemoveUiWakeUp() {
    if (HWND window = handOver.exchange(nullptr)) {
        DestroyWindow(window);
    }
    RunQueuedUiWork(); // nothing handed over is left waiting
    uiThread = 0;
}
