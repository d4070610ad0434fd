#include "admin/AdminDialogsFactory.h"
#include "admin/PasswordChangeFlow.h"
#include "app/BrimletDlg.h"

// Button 1023, hidden as built. The flow lives in admin/ and tells a wrong login
// through the notice it is given, which outside a download is a plain message box.
void CBrimletDlg::OnAdminPasswordChange() {
    const std::unique_ptr<AdminDialogs> dialogs = MakeAdminDialogs(this);
    RunPasswordChangeFlow(*dialogs, [this](const std::string& text) { ShowNotice(text); });
}
