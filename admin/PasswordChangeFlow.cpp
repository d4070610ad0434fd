#include "admin/PasswordChangeFlow.h"

#include "admin/PasswordStore.h"

namespace {

bool IsLoginCorrect(const LoginAnswer& login) {
    return IsAdminPasswordCorrect(login.firstPassword, kAdminKeyA, kLoginReadSize) &&
           IsAdminPasswordCorrect(login.secondPassword, kAdminKeyB, kLoginReadSize);
}

} // namespace

// see PasswordChangeFlow.h
void RunPasswordChangeFlow(AdminDialogs& dialogs,
                           const std::function<void(const std::string&)>& showNotice) {
    for (;;) {
        const LoginAnswer login = dialogs.ShowLogin();
        if (!login.confirmed) {
            return;
        }
        if (IsLoginCorrect(login)) {
            break;
        }
        showNotice(kWrongLoginNotice);
    }
    for (;;) {
        const ChangeAnswer first = dialogs.ShowSetAdmin1();
        if (!first.confirmed) {
            return;
        }
        const ChangeAnswer second = dialogs.ShowSetAdmin2();
        if (second.confirmed) {
            if (!SaveAdminPasswords(first.newPassword, second.newPassword)) {
                showNotice(kSettingsNotWrittenNotice + SettingsFilePath());
            }
            return;
        }
    }
}
