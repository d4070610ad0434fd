#include "admin/SetAdminDlg.h"

#include "admin/ChangeCheck.h"
#include "framework/MessageBox.h"
#include "resources/AdminResourceIds.h"

CSetAdminDlg::CSetAdminDlg(const DialogTemplate& dialogTemplate, const char* key, CWnd* parent)
    : CDialog(dialogTemplate, parent), key(key) {}

void CSetAdminDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_CURRENT_PASSWORD, currentPassword);
    DDX_Text(dx, IDC_NEW_PASSWORD, newPassword);
    DDX_Text(dx, IDC_CONFIRM_PASSWORD, confirmPassword);
}

void CSetAdminDlg::OnOK() {
    RunChangeCheck();
}

void CSetAdminDlg::RunChangeCheck() {
    UpdateData(TRUE);
    const ChangeCheck result =
        CheckPasswordChange(key, currentPassword, newPassword, confirmPassword);
    if (result != ChangeCheck::Accepted) {
        AfxMessageBox(ChangeCheckMessage(result), MB_OK);
        return;
    }
    EndDialog(IDOK);
}
