#pragma once

#include "admin/ModalAdminDialogs.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

// What the user does in one showing of a dialog, and which dialog that must be.
struct UserAtDialog {
    int templateId;
    std::function<void(CDialog&)> act;
};

// The real modal dialogs of the password change, with the user's part scripted.
// Each showing is noted in `shown` by template id; every dialog must show with
// all its fields empty.
class DrivenAdminDialogs : public ModalAdminDialogs {
public:
    DrivenAdminDialogs(CWnd* parent, std::vector<UserAtDialog> script, std::vector<int>& shown);
    ~DrivenAdminDialogs() override; // a script not played to its end fails the test

protected:
    INT_PTR RunModal(CDialog& dialog) override;

private:
    std::deque<UserAtDialog> script;
    std::vector<int>& shown;
};
