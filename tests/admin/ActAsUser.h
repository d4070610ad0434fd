#pragma once

#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/MessageBox.h"
#include "framework/UiThread.h"
#include "framework/UserInput.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// What DoModal returns when a script left its dialog open: the helper then
// ends it itself, so a faulty dialog fails its test instead of hanging it.
constexpr INT_PTR kLeftOpenByScript = -2;

// Posted work may run before the modal dialog has shown; it waits for it.
inline void ActWhenShown(CDialog& dialog, const std::function<void(CDialog&)>& user,
                         int triesLeft) {
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

// Runs dialog modally; once it shows, `user` acts on it from inside the modal loop.
inline INT_PTR RunModalAsUser(CDialog& dialog, const std::function<void(CDialog&)>& user) {
    ActWhenShown(dialog, user, 1000);
    return dialog.DoModal();
}

// The user's hands, on the dialog's controls by id.
inline CWnd& Control(const CDialog& dialog, int id) {
    CWnd* control = dialog.GetDlgItem(id);
    if (control == nullptr) {
        throw std::runtime_error("dialog has no control " + std::to_string(id));
    }
    return *control;
}
// Replaces a field's text as a paste would; the field keeps its length limit.
inline void PasteInto(CDialog& dialog, int id, const std::string& text) {
    Control(dialog, id).SetWindowText(text);
}
inline std::string FieldText(const CDialog& dialog, int id) {
    return Control(dialog, id).GetWindowText();
}
inline void ClickButton(CDialog& dialog, int id) {
    static_cast<CButton&>(Control(dialog, id)).Click();
}
inline void PressKeyIn(CDialog& dialog, int id, UINT virtualKey) {
    Control(dialog, id).SetFocus();
    PressKey(Control(dialog, id), virtualKey);
}

// Every message box is answered with OK and its text recorded instead of shown.
struct RecordedBoxes {
    std::vector<std::string> texts;
    ScopedMessageBoxResponder responder{[this](const MessageBoxRequest& request) {
        texts.push_back(request.text);
        return IDOK;
    }};
};
