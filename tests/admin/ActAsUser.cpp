#include "tests/admin/ActAsUser.h"

#include "framework/Controls.h"
#include "framework/UiThread.h"
#include "framework/UserInput.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

// Posted work may run before the modal dialog has shown; it waits for it.
void ActWhenShown(CDialog& dialog, const std::function<void(CDialog&)>& user, int triesLeft) {
    PostToUiThread([&dialog, user, triesLeft] {
        if (!dialog.IsWindowVisible()) {
            if (triesLeft > 0) {
                ActWhenShown(dialog, user, triesLeft - 1);
            } else {
                ADD_FAILURE() << "dialog " << dialog.GetTemplate().id << " never showed";
            }
            return;
        }
        user(dialog);
        if (dialog.IsWindowVisible()) {
            dialog.EndDialog(static_cast<int>(kLeftOpenByScript));
        }
    });
}

CWnd& Control(const CDialog& dialog, int id) {
    CWnd* control = dialog.GetDlgItem(id);
    if (control == nullptr) {
        throw std::runtime_error("dialog has no control " + std::to_string(id));
    }
    return *control;
}

} // namespace

INT_PTR RunModalAsUser(CDialog& dialog, const std::function<void(CDialog&)>& user) {
    ActWhenShown(dialog, user, 1000);
    return dialog.DoModal();
}

void PasteInto(CDialog& dialog, int id, const std::string& text) {
    Control(dialog, id).SetWindowText(text);
}

std::string FieldText(const CDialog& dialog, int id) {
    return Control(dialog, id).GetWindowText();
}

void ClickButton(CDialog& dialog, int id) {
    static_cast<CButton&>(Control(dialog, id)).Click();
}

void PressKeyIn(CDialog& dialog, int id, UINT virtualKey) {
    CWnd& control = Control(dialog, id);
    control.SetFocus();
    PressKey(control, virtualKey);
}

RecordedBoxes::RecordedBoxes()
    : responder([this](const MessageBoxRequest& request) {
          texts.push_back(request.text);
          return IDOK;
      }) {}
