#include "admin/SetAdmin1.h"

#include "admin/PasswordStore.h"
#include "resources/AdminDialogTemplates.h"
#include "resources/AdminResourceIds.h"

CSetAdmin1::CSetAdmin1(CWnd* parent) : CSetAdminDlg(SetAdmin1DialogTemplate(), kAdminKeyA, parent) {
    OnClicked(IDC_NEXT_BUTTON, [this] { RunChangeCheck(); });
}
