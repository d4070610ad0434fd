#include "framework/Win32.h"

#include "framework/Controls.h"
#include "framework/WideText.h"
#include "framework/WindowAccessWin32.h"

#include <commctrl.h>

namespace {

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageW(window, message, wParam, lParam);
}

int SendInt(const CWnd& control, int fallback, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return WithWindow(control, fallback, [&](HWND window) {
        return static_cast<int>(Send(window, message, wParam, lParam));
    });
}

int AddItem(const CWnd& control, int error, UINT message, const std::string& text) {
    const std::wstring wide = Widen(text);
    return SendInt(control, error, message, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

// An item's text: its UTF-8 length, or error for a bad index.
int ItemText(const CWnd& control, int error, UINT lengthMessage, UINT textMessage, int index,
             std::string& text) {
    return WithWindow(control, error, [&](HWND window) {
        const LRESULT length = Send(window, lengthMessage, static_cast<WPARAM>(index));
        if (index < 0 || length < 0) {
            return error;
        }
        std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
        wide.resize(static_cast<std::size_t>(Send(window, textMessage, static_cast<WPARAM>(index),
                                                  reinterpret_cast<LPARAM>(wide.data()))));
        text = Narrow(wide);
        return static_cast<int>(text.size());
    });
}

} // namespace

void CButton::SetCheck(int state) {
    SendInt(*this, 0, BM_SETCHECK, state == BST_CHECKED ? BST_CHECKED : BST_UNCHECKED);
}

int CButton::GetCheck() const {
    return SendInt(*this, BST_UNCHECKED, BM_GETCHECK) == BST_CHECKED ? BST_CHECKED : BST_UNCHECKED;
}

void CButton::Click() {
    SendInt(*this, 0, BM_CLICK);
}

int CListBox::AddString(const std::string& text) {
    return AddItem(*this, LB_ERR, LB_ADDSTRING, text);
}

int CListBox::GetCount() const {
    return SendInt(*this, LB_ERR, LB_GETCOUNT);
}

int CListBox::SetCurSel(int index) {
    return WithWindow(*this, LB_ERR, [&](HWND window) {
        const int selected =
            static_cast<int>(Send(window, LB_SETCURSEL, static_cast<WPARAM>(index)));
        if (selected != LB_ERR) {
            Send(window, LB_SETTOPINDEX, static_cast<WPARAM>(index)); // brought into view
        }
        return selected;
    });
}

int CListBox::GetCurSel() const {
    return SendInt(*this, LB_ERR, LB_GETCURSEL);
}

int CListBox::GetText(int index, std::string& text) const {
    return ItemText(*this, LB_ERR, LB_GETTEXTLEN, LB_GETTEXT, index, text);
}

std::string CListBox::GetText(int index) const {
    std::string text;
    GetText(index, text);
    return text;
}

void CListBox::ResetContent() {
    SendInt(*this, 0, LB_RESETCONTENT);
}

int CComboBox::AddString(const std::string& text) {
    return AddItem(*this, CB_ERR, CB_ADDSTRING, text);
}

int CComboBox::GetCount() const {
    return SendInt(*this, CB_ERR, CB_GETCOUNT);
}

int CComboBox::SetCurSel(int index) {
    return SendInt(*this, CB_ERR, CB_SETCURSEL, static_cast<WPARAM>(index));
}

int CComboBox::GetCurSel() const {
    return SendInt(*this, CB_ERR, CB_GETCURSEL);
}

int CComboBox::GetLBText(int index, std::string& text) const {
    return ItemText(*this, CB_ERR, CB_GETLBTEXTLEN, CB_GETLBTEXT, index, text);
}

std::string CComboBox::GetLBText(int index) const {
    std::string text;
    GetLBText(index, text);
    return text;
}

void CComboBox::ResetContent() {
    SendInt(*this, 0, CB_RESETCONTENT);
}

void CProgressCtrl::SetRange32(int lower, int upper) {
    SendInt(*this, 0, PBM_SETRANGE32, static_cast<WPARAM>(lower), upper);
}

int CProgressCtrl::SetPos(int position) {
    return SendInt(*this, 0, PBM_SETPOS, static_cast<WPARAM>(position));
}
