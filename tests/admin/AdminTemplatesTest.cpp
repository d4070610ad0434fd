#include "framework/WinTypes.h"
#include "resources/AdminDialogTemplates.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

// The three dialogs as the technicians know them, written out here on their own
// so that a slip in the templates shows.
struct ExpectedControl {
    const char* name;
    const DialogTemplate& (*dialog)();
    int id; // kNoControlId for a label, found then by its text
    ControlKind kind;
    int x, y, width, height;
    const char* text;
};

using enum ControlKind;

const ExpectedControl kControls[] = {
    {"LoginAdmin1Label", LoginDialogTemplate, kNoControlId, Static, 68, 25, 29, 8, "ADMIN 1"},
    {"LoginFirstField", LoginDialogTemplate, 1021, Edit, 105, 23, 147, 14, ""},
    {"LoginAdmin2Label", LoginDialogTemplate, kNoControlId, Static, 68, 51, 29, 8, "ADMIN 2"},
    {"LoginSecondField", LoginDialogTemplate, 1022, Edit, 105, 49, 147, 14, ""},
    {"LoginButton", LoginDialogTemplate, IDOK, Button, 54, 88, 81, 27, "Login"},
    {"LoginCloseButton", LoginDialogTemplate, IDCANCEL, Button, 181, 88, 81, 27, "Close"},
    {"Set1CurrentLabel", SetAdmin1DialogTemplate, kNoControlId, Static, 30, 31, 58, 8,
     "Current Password"},
    {"Set1ChangeLabel", SetAdmin1DialogTemplate, kNoControlId, Static, 30, 62, 58, 8,
     "Change Password"},
    {"Set1ConfigLabel", SetAdmin1DialogTemplate, kNoControlId, Static, 30, 93, 54, 8,
     "Config Password"},
    {"Set1CurrentField", SetAdmin1DialogTemplate, 1025, Edit, 110, 28, 141, 14, ""},
    {"Set1NewField", SetAdmin1DialogTemplate, 1026, Edit, 110, 59, 141, 14, ""},
    {"Set1ConfirmField", SetAdmin1DialogTemplate, 1027, Edit, 110, 90, 141, 14, ""},
    {"Set1CancelButton", SetAdmin1DialogTemplate, IDCANCEL, Button, 159, 123, 56, 19, "Cancel"},
    {"Set1NextButton", SetAdmin1DialogTemplate, 1030, Button, 220, 123, 56, 19, "Next"},
    {"Set2CurrentLabel", SetAdmin2DialogTemplate, kNoControlId, Static, 30, 31, 58, 8,
     "Current Password"},
    {"Set2ChangeLabel", SetAdmin2DialogTemplate, kNoControlId, Static, 30, 62, 58, 8,
     "Change Password"},
    {"Set2ConfigLabel", SetAdmin2DialogTemplate, kNoControlId, Static, 30, 93, 54, 8,
     "Config Password"},
    {"Set2CurrentField", SetAdmin2DialogTemplate, 1025, Edit, 110, 28, 141, 14, ""},
    {"Set2NewField", SetAdmin2DialogTemplate, 1026, Edit, 110, 59, 141, 14, ""},
    {"Set2ConfirmField", SetAdmin2DialogTemplate, 1027, Edit, 110, 90, 141, 14, ""},
    {"Set2PreviousButton", SetAdmin2DialogTemplate, IDCANCEL, Button, 159, 123, 56, 19, "Previous"},
    {"Set2FinishButton", SetAdmin2DialogTemplate, IDOK, Button, 220, 123, 56, 19, "Finish"},
};

const ControlTemplate* Find(const DialogTemplate& dialog, const ExpectedControl& expected) {
    for (const ControlTemplate& control : dialog.controls) {
        const bool sameId = expected.id != kNoControlId && control.id == expected.id;
        const bool sameLabel = expected.id == kNoControlId && control.id == kNoControlId &&
                               std::string(control.text) == expected.text;
        if (sameId || sameLabel) {
            return &control;
        }
    }
    return nullptr;
}

void PrintTo(const ExpectedControl& param, std::ostream* out) {
    *out << param.name;
}

class AdminTemplateControl : public testing::TestWithParam<ExpectedControl> {};

TEST_P(AdminTemplateControl, StandsWhereTheDialogHasIt) {
    const ExpectedControl& expected = GetParam();
    const ControlTemplate* control = Find(expected.dialog(), expected);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->kind, expected.kind);
    EXPECT_EQ(control->x, expected.x);
    EXPECT_EQ(control->y, expected.y);
    EXPECT_EQ(control->width, expected.width);
    EXPECT_EQ(control->height, expected.height);
    EXPECT_STREQ(control->text, expected.text);
    EXPECT_TRUE(control->style & kVisible);
    EXPECT_FALSE(control->style & kDefaultButton) << "none of the dialogs has a default button";
    if (expected.kind == Edit) {
        EXPECT_TRUE(control->style & kPassword);
        EXPECT_EQ(control->maxLength, 16);
    }
}

INSTANTIATE_TEST_SUITE_P(Controls, AdminTemplateControl, testing::ValuesIn(kControls),
                         [](const auto& info) { return std::string(info.param.name); });

struct ExpectedDialog {
    const char* name;
    const DialogTemplate& (*dialog)();
    int id;
    const char* caption;
    int width, height;
    std::size_t controlCount;
};

const ExpectedDialog kDialogs[] = {
    {"Login", LoginDialogTemplate, 129, "Login", 316, 135, 6},
    {"SetAdmin1", SetAdmin1DialogTemplate, 130, "Admin1 Password Change", 291, 150, 8},
    {"SetAdmin2", SetAdmin2DialogTemplate, 131, "Admin2 Password Change", 291, 150, 8},
};

void PrintTo(const ExpectedDialog& param, std::ostream* out) {
    *out << param.name;
}

class AdminTemplate : public testing::TestWithParam<ExpectedDialog> {};

TEST_P(AdminTemplate, IsAModalPopupWithCaption) {
    const DialogTemplate& dialog = GetParam().dialog();
    EXPECT_EQ(dialog.id, GetParam().id);
    EXPECT_STREQ(dialog.caption, GetParam().caption);
    EXPECT_EQ(dialog.width, GetParam().width);
    EXPECT_EQ(dialog.height, GetParam().height);
    EXPECT_STREQ(dialog.fontFace, "MS Shell Dlg");
    EXPECT_EQ(dialog.fontPoints, 8);
    EXPECT_EQ(dialog.style, unsigned{kCaption | kSystemMenu | kModalFrame});
    EXPECT_EQ(dialog.controls.size(), GetParam().controlCount);
}

INSTANTIATE_TEST_SUITE_P(Dialogs, AdminTemplate, testing::ValuesIn(kDialogs),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
