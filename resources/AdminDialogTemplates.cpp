#include "resources/AdminDialogTemplates.h"
#include "framework/WinTypes.h"
#include "resources/AdminResourceIds.h"

#include <array>

namespace {

using enum ControlKind;

// Every field is masked and takes at most 16 characters, the length one stored
// block encodes. None of the buttons is a default button.
constexpr unsigned kPasswordField = kVisible | kBorder | kPassword;
constexpr int kPasswordLength = 16;

constexpr unsigned kModalPopup = kCaption | kSystemMenu | kModalFrame;

constexpr ControlTemplate kLoginControls[] = {
    {kNoControlId, Static, 68, 25, 29, 8, kVisible, "ADMIN 1"},
    {IDC_LOGIN_FIRST_PASSWORD, Edit, 105, 23, 147, 14, kPasswordField, "", kPasswordLength},
    {kNoControlId, Static, 68, 51, 29, 8, kVisible, "ADMIN 2"},
    {IDC_LOGIN_SECOND_PASSWORD, Edit, 105, 49, 147, 14, kPasswordField, "", kPasswordLength},
    {IDOK, Button, 54, 88, 81, 27, kVisible, "Login"},
    {IDCANCEL, Button, 181, 88, 81, 27, kVisible, "Close"},
};

// The two change dialogs share their fields and differ in their two buttons.
constexpr std::array<ControlTemplate, 8> ChangeControls(int leftId, const char* leftText,
                                                        int rightId, const char* rightText) {
    return {{
        {kNoControlId, Static, 30, 31, 58, 8, kVisible, "Current Password"},
        {kNoControlId, Static, 30, 62, 58, 8, kVisible, "Change Password"},
        {kNoControlId, Static, 30, 93, 54, 8, kVisible, "Config Password"},
        {IDC_CURRENT_PASSWORD, Edit, 110, 28, 141, 14, kPasswordField, "", kPasswordLength},
        {IDC_NEW_PASSWORD, Edit, 110, 59, 141, 14, kPasswordField, "", kPasswordLength},
        {IDC_CONFIRM_PASSWORD, Edit, 110, 90, 141, 14, kPasswordField, "", kPasswordLength},
        {leftId, Button, 159, 123, 56, 19, kVisible, leftText},
        {rightId, Button, 220, 123, 56, 19, kVisible, rightText},
    }};
}

constexpr auto kSetAdmin1Controls = ChangeControls(IDCANCEL, "Cancel", IDC_NEXT_BUTTON, "Next");
constexpr auto kSetAdmin2Controls = ChangeControls(IDCANCEL, "Previous", IDOK, "Finish");

constexpr DialogTemplate kLoginDialog{
    IDD_LOGIN, "Login", 316, 135, "MS Shell Dlg", 8, kModalPopup, kLoginControls,
};
constexpr DialogTemplate kSetAdmin1Dialog{
    IDD_SET_ADMIN1, "Admin1 Password Change", 291, 150, "MS Shell Dlg", 8,
    kModalPopup,    kSetAdmin1Controls,
};
constexpr DialogTemplate kSetAdmin2Dialog{
    IDD_SET_ADMIN2, "Admin2 Password Change", 291, 150, "MS Shell Dlg", 8,
    kModalPopup,    kSetAdmin2Controls,
};

} // namespace

const DialogTemplate& LoginDialogTemplate() {
    return kLoginDialog;
}

const DialogTemplate& SetAdmin1DialogTemplate() {
    return kSetAdmin1Dialog;
}

const DialogTemplate& SetAdmin2DialogTemplate() {
    return kSetAdmin2Dialog;
}
