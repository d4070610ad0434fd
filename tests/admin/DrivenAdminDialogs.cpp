#include "tests/admin/DrivenAdminDialogs.h"

#include "tests/admin/ActAsUser.h"

#include <gtest/gtest.h>

DrivenAdminDialogs::DrivenAdminDialogs(CWnd* parent, std::vector<UserAtDialog> script,
                                       std::vector<int>& shown)
    : ModalAdminDialogs(parent), script(script.begin(), script.end()), shown(shown) {}

DrivenAdminDialogs::~DrivenAdminDialogs() {
    EXPECT_TRUE(script.empty()) << script.size() << " scripted dialogs were never shown";
}

INT_PTR DrivenAdminDialogs::RunModal(CDialog& dialog) {
    const int id = dialog.GetTemplate().id;
    shown.push_back(id);
    if (script.empty()) {
        ADD_FAILURE() << "dialog " << id << " shown after the script ended";
        return IDCANCEL;
    }
    const UserAtDialog step = script.front();
    script.pop_front();
    EXPECT_EQ(id, step.templateId);
    return RunModalAsUser(dialog, [&step, id](CDialog& shownDialog) {
        for (const ControlTemplate& control : shownDialog.GetTemplate().controls) {
            if (control.kind == ControlKind::Edit) {
                EXPECT_EQ(FieldText(shownDialog, control.id), "")
                    << "field " << control.id << " of dialog " << id;
            }
        }
        step.act(shownDialog);
    });
}
