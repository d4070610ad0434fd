#include "admin/ModalAdminDialogs.h"

#include "admin/LoginDlg.h"
#include "admin/SetAdmin1.h"
#include "admin/SetAdmin2.h"

INT_PTR ModalAdminDialogs::RunModal(CDialog& dialog) {
    return dialog.DoModal();
}

ChangeAnswer ModalAdminDialogs::ShowChangeDialog(CSetAdminDlg& dialog) {
    // -1 (the dialog could not be shown) counts as not confirmed, so nothing is written.
    const bool confirmed = RunModal(dialog) == IDOK;
    return {confirmed, confirmed ? dialog.newPassword : std::string()};
}

LoginAnswer ModalAdminDialogs::ShowLogin() {
    CLoginDlg dialog(parent);
    if (RunModal(dialog) != IDOK) {
        return {false, "", ""};
    }
    return {true, dialog.firstPassword, dialog.secondPassword};
}

ChangeAnswer ModalAdminDialogs::ShowSetAdmin1() {
    CSetAdmin1 dialog(parent);
    return ShowChangeDialog(dialog);
}

ChangeAnswer ModalAdminDialogs::ShowSetAdmin2() {
    CSetAdmin2 dialog(parent);
    return ShowChangeDialog(dialog);
}
