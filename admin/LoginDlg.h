#pragma once

#include "framework/Dialog.h"

#include <string>

// Login (template 129): the current passwords of ADMIN 1 and ADMIN 2. "Login"
// and Enter read both fields and end with IDOK; "Close", Escape and the
// caption's Close end with IDCANCEL.
class CLoginDlg : public CDialog {
public:
    explicit CLoginDlg(CWnd* parent = nullptr);

    std::string firstPassword;
    std::string secondPassword;

protected:
    void DoDataExchange(CDataExchange* dx) override;
};
