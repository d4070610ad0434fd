#pragma once

#include "admin/SetAdminDlg.h"

// ADMIN 2 password change (template 131): "Finish" and Enter run the change
// check against key "B"; "Previous", Escape and the caption's Close end with
// IDCANCEL, which takes the flow back to the ADMIN 1 dialog.
class CSetAdmin2 : public CSetAdminDlg {
public:
    explicit CSetAdmin2(CWnd* parent = nullptr);
};
