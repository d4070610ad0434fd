#pragma once

#include "admin/SetAdminDlg.h"

// ADMIN 1 password change (template 130): "Next" and Enter run the change
// check against key "A"; "Cancel", Escape and the caption's Close end with
// IDCANCEL.
class CSetAdmin1 : public CSetAdminDlg {
public:
    explicit CSetAdmin1(CWnd* parent = nullptr);
};
