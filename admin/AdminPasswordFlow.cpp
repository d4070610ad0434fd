#include "admin/AdminDialogsFactory.h"
#include "admin/PasswordChangeFlow.h"
#include "app/BrimletDlg.h"

// Button 1023, hidden as built. A wrong login is told with ShowNotice, which
// outside a download is a plain message box.
void CBrimletDlg::OnAdminPasswordChange() {
    const std::unique_ptr<AdminDialogs> dialogs = MakeAdminDialogs(this);
    RunPasswordChangeFlow(*dialogs, [this](const std::string& text) { ShowNotice(text); });
}
