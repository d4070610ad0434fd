#pragma once

// Include framework/Win32.h first.
#include "framework/WinTypes.h"

#include <cstdint>
#include <map>
#include <vector>

class CDialog;

// The Windows dialog behind a CDialog: built from the in-memory extended template by
// the dialog functions, its dialog procedure routes commands, timers, colours and
// close requests to the CDialog. Every key press for one of these dialogs reaches
// CDialog::TranslateKey first, through the message filter the dialog manager calls
// before it handles a message itself.
class DialogWindow {
public:
    explicit DialogWindow(CDialog& owner);

    INT_PTR RunModal(HWND ownerWindow);    // returns the value given to EndDialog
    HWND CreateModeless(HWND ownerWindow); // null when Windows refused

    // The CDialog lets go of this window; messages still arriving get the defaults.
    void Detach() { owner = nullptr; }
    bool IsDetached() const { return owner == nullptr; }

    // The text colour a control draws with, from WM_CTLCOLOR* on.
    void SetTextColor(HWND control, COLORREF color) { textColors[control] = color; }

    // The DialogWindow of a dialog or of any of its controls; null for other windows.
    static DialogWindow* Of(HWND window);

    HWND hwnd = nullptr;
    bool ended = false; // EndDialog ran
    int endResult = 0;

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KeyFilter(int code, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Attach(HWND window); // WM_INITDIALOG: the CDialog gets its window and controls
    INT_PTR CtlColor(HDC dc, HWND control, int background);

    CDialog* owner;
    std::vector<std::uint16_t> dialogTemplate;
    std::map<HWND, COLORREF> textColors;
};

// True for the controls of a dialog whose CDialog has let go of its window: they
// count as destroyed.
bool IsReleasedWindow(HWND window);
