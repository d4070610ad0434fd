#include "admin/LoginDlg.h"

#include "resources/AdminDialogTemplates.h"
#include "resources/AdminResourceIds.h"

CLoginDlg::CLoginDlg(CWnd* parent) : CDialog(LoginDialogTemplate(), parent) {}

void CLoginDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_LOGIN_FIRST_PASSWORD, firstPassword);
    DDX_Text(dx, IDC_LOGIN_SECOND_PASSWORD, secondPassword);
}
