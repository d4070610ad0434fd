#pragma once

#include "framework/Dialog.h"

#include <string>

// What the two change dialogs share: the current, new and confirmation fields
// and the change check against one stored key. The dialog ends with IDOK only
// when the check passes; a refusal shows its message box and leaves the dialog
// open with the typed texts in place.
class CSetAdminDlg : public CDialog {
public:
    std::string currentPassword;
    std::string newPassword;
    std::string confirmPassword;

protected:
    CSetAdminDlg(const DialogTemplate& dialogTemplate, const char* key, CWnd* parent);

    void DoDataExchange(CDataExchange* dx) override;
    // The OK command (Enter, or the "Finish" button) runs the check too, so no
    // key ends a change dialog as completed without it.
    void OnOK() override;
    void RunChangeCheck();

private:
    const char* key;
};
