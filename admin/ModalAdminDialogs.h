#pragma once

#include "admin/PasswordChangeFlow.h"

#include "framework/WinTypes.h"

class CDialog;
class CSetAdminDlg;
class CWnd;

// The real dialogs of the password change, each a new modal dialog over parent.
class ModalAdminDialogs : public AdminDialogs {
public:
    explicit ModalAdminDialogs(CWnd* parent) : parent(parent) {}

    LoginAnswer ShowLogin() override;
    ChangeAnswer ShowSetAdmin1() override;
    ChangeAnswer ShowSetAdmin2() override;

protected:
    // Runs one dialog modally and returns how it ended. Tests act as the user here.
    virtual INT_PTR RunModal(CDialog& dialog);

private:
    ChangeAnswer ShowChangeDialog(CSetAdminDlg& dialog);

    CWnd* parent;
};
