#include "admin/SetAdmin2.h"

#include "admin/PasswordStore.h"
#include "resources/AdminDialogTemplates.h"

CSetAdmin2::CSetAdmin2(CWnd* parent)
    : CSetAdminDlg(SetAdmin2DialogTemplate(), kAdminKeyB, parent) {}
