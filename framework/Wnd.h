#pragma once

#include "framework/NativeHandles.h"
#include "framework/Object.h"
#include "framework/WinTypes.h"

#include <memory>
#include <string>

class CFont;

// A window or a control. Every operation may be called from any thread: on the UI
// thread it runs at once, from another thread it is handed to the UI thread and the
// caller waits (like a sent window message). Operations on a CWnd that is not (or
// no longer) attached to a window do nothing and return 0 / FALSE / empty.
class CWnd : public CObject {
public:
    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    const CRuntimeClass* GetRuntimeClass() const override;
    static const CRuntimeClass classCWnd;

    // Texts are UTF-8. A dialog's text is its title; a drop-down list's the selected item.
    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;

    BOOL EnableWindow(BOOL enable = TRUE); // returns TRUE if the window was disabled before
    BOOL IsWindowEnabled() const;
    BOOL ShowWindow(int showCommand); // SW_SHOW / SW_HIDE; returns TRUE if it was visible
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const; // minimised
    void SetFont(CFont* font, BOOL redraw = TRUE);
    void SetFocus();
    int GetDlgCtrlID() const; // the template id, kNoControlId for a dialog or a label

    // Geometry in pixels. Window rectangles are on the screen (frame included),
    // client rectangles start at (0, 0).
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    void GetWindowRect(RECT* rect) const;
    void GetClientRect(RECT* rect) const;

    // A message box owned by this window; see MessageBox.h. Returns IDOK, IDCANCEL, ...
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);

    BOOL IsAttached() const;  // the meaning of GetSafeHwnd() != NULL
    static const CWnd wndTop; // SetWindowPos: place at the top of the z-order

    // For the framework: binds this object to a window (on the UI thread).
    void Attach(NativeWindow window, int controlId);
    NativeWindow Widget() const; // UI thread only; null when not attached

private:
    struct State;
    std::unique_ptr<State> state;
};
