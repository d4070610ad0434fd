#pragma once

#include "framework/WinTypes.h"

#include <functional>
#include <string>

class CWnd;

// Message boxes. Asked for on any thread, shown by the UI thread while the caller
// waits for the answer.

// MB_OK: the text and an OK button; returns IDOK (also when closed otherwise).
int AfxMessageBox(const std::string& text, UINT type = MB_OK);

// Test seam: the responder answers each box instead of showing it. It runs on the UI
// thread, as the real box would.
struct MessageBoxRequest {
    std::string text;
    std::string caption;
    UINT buttons;      // type & MB_TYPEMASK
    UINT icon;         // type & MB_ICONMASK
    const CWnd* owner; // null for AfxMessageBox
};
using MessageBoxResponder = std::function<int(const MessageBoxRequest&)>;

class ScopedMessageBoxResponder {
public:
    explicit ScopedMessageBoxResponder(MessageBoxResponder responder);
    ~ScopedMessageBoxResponder();
    ScopedMessageBoxResponder(const ScopedMessageBoxResponder&) = delete;
    ScopedMessageBoxResponder& operator=(const ScopedMessageBoxResponder&) = delete;

private:
    MessageBoxResponder previous;
};

// For the framework: CWnd::MessageBox and AfxMessageBox end here. A null caption
// means the application's name.
int ShowMessageBox(const CWnd* owner, const std::string& text, const char* caption, UINT type);
// The back end's box on the screen, on the UI thread; returns the answer.
int ShowMessageBoxOnScreen(const MessageBoxRequest& request);
