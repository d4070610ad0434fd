#pragma once

#include "framework/Wnd.h"

// The controls of a dialog template, addressed by id. GetDlgItem returns an object
// of the control's own class, so a cast to it is sound. All calls are safe from any
// thread (see CWnd).

class CStatic : public CWnd {};

class CEdit : public CWnd {};

class CButton : public CWnd {
public:
    void SetCheck(int state); // BST_CHECKED / BST_UNCHECKED
    int GetCheck() const;
    void Click(); // the meaning of BM_CLICK: as if the user had clicked it
};

class CListBox : public CWnd {
public:
    int AddString(const std::string& text); // index of the new line
    int GetCount() const;
    int SetCurSel(int index); // -1 clears the selection; LB_ERR for a bad index
    int GetCurSel() const;    // LB_ERR when nothing is selected
    int GetText(int index, std::string& text) const; // length, or LB_ERR for a bad index
    std::string GetText(int index) const;            // empty for a bad index
    void ResetContent();
};

class CComboBox : public CWnd {
public:
    int AddString(const std::string& text);
    int GetCount() const;
    int SetCurSel(int index); // CB_ERR for a bad index (the selection is then cleared)
    int GetCurSel() const;
    int GetLBText(int index, std::string& text) const; // length, or CB_ERR
    std::string GetLBText(int index) const;
    void ResetContent();
};

class CProgressCtrl : public CWnd {
public:
    void SetRange32(int lower, int upper);
    // Like Windows, a position outside the range is held at the nearest end, so a
    // transfer that overshoots its total shows a full bar. Returns the previous position.
    int SetPos(int position);
};
