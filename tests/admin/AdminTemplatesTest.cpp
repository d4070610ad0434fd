#include "framework/WinTypes.h"
#include "resources/AdminDialogTemplates.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

namespace {

using enum ControlKind;

// The three dialogs as the technicians know them, written out here on their own
// so that a slip in the templates shows.
TEST(AdminTemplates, DialogsAreModalPopupsWithCaptions) {
    const struct {
        const DialogTemplate& (*dialog)();
        int id;
        const char* caption;
        int width, height;
        std::size_t controlCount;
    } dialogs[] = {
        {LoginDialogTemplate, 129, "Login", 316, 135, 6},
        {SetAdmin1DialogTemplate, 130, "Admin1 Password Change", 291, 150, 8},
        {SetAdmin2DialogTemplate, 131, "Admin2 Password Change", 291, 150, 8},
    };
    for (const auto& expected : dialogs) {
        SCOPED_TRACE(expected.caption);
        const DialogTemplate& dialog = expected.dialog();
        EXPECT_EQ(std::make_tuple(dialog.id, std::string(dialog.caption), dialog.width,
                                  dialog.height, std::string(dialog.fontFace), dialog.fontPoints,
                                  dialog.style, dialog.controls.size()),
                  std::make_tuple(expected.id, std::string(expected.caption), expected.width,
                                  expected.height, std::string("MS Shell Dlg"), 8,
                                  unsigned{kCaption | kSystemMenu | kModalFrame},
                                  expected.controlCount));
    }
}

// Labels (kNoControlId) are found by their text. Every field is masked and takes 16 characters.
TEST(AdminTemplates, ControlsStandWhereTheDialogsHaveThem) {
    const struct {
        const DialogTemplate& (*dialog)();
        int id;
        ControlKind kind;
        int x, y, width, height;
        const char* text;
    } controls[] = {
        {LoginDialogTemplate, kNoControlId, Static, 68, 25, 29, 8, "ADMIN 1"},
        {LoginDialogTemplate, 1021, Edit, 105, 23, 147, 14, ""},
        {LoginDialogTemplate, kNoControlId, Static, 68, 51, 29, 8, "ADMIN 2"},
        {LoginDialogTemplate, 1022, Edit, 105, 49, 147, 14, ""},
        {LoginDialogTemplate, IDOK, Button, 54, 88, 81, 27, "Login"},
        {LoginDialogTemplate, IDCANCEL, Button, 181, 88, 81, 27, "Close"},
        {SetAdmin1DialogTemplate, IDCANCEL, Button, 159, 123, 56, 19, "Cancel"},
        {SetAdmin1DialogTemplate, 1030, Button, 220, 123, 56, 19, "Next"},
        {SetAdmin2DialogTemplate, IDCANCEL, Button, 159, 123, 56, 19, "Previous"},
        {SetAdmin2DialogTemplate, IDOK, Button, 220, 123, 56, 19, "Finish"},
    };
    std::vector<std::remove_cvref_t<decltype(controls[0])>> all(std::begin(controls),
                                                                std::end(controls));
    for (auto* dialog : {SetAdmin1DialogTemplate, SetAdmin2DialogTemplate}) {
        all.push_back({dialog, kNoControlId, Static, 30, 31, 58, 8, "Current Password"});
        all.push_back({dialog, kNoControlId, Static, 30, 62, 58, 8, "Change Password"});
        all.push_back({dialog, kNoControlId, Static, 30, 93, 54, 8, "Config Password"});
        all.push_back({dialog, 1025, Edit, 110, 28, 141, 14, ""});
        all.push_back({dialog, 1026, Edit, 110, 59, 141, 14, ""});
        all.push_back({dialog, 1027, Edit, 110, 90, 141, 14, ""});
    }
    for (const auto& expected : all) {
        SCOPED_TRACE(std::string(expected.dialog().caption) + " control " +
                     std::to_string(expected.id) + " " + expected.text);
        const ControlTemplate* control = nullptr;
        for (const ControlTemplate& candidate : expected.dialog().controls) {
            if (candidate.id == expected.id &&
                (expected.id != kNoControlId || std::string(candidate.text) == expected.text)) {
                control = &candidate;
            }
        }
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(std::make_tuple(control->kind, control->x, control->y, control->width,
                                  control->height, std::string(control->text)),
                  std::make_tuple(expected.kind, expected.x, expected.y, expected.width,
                                  expected.height, std::string(expected.text)));
        EXPECT_TRUE(control->style & kVisible);
        EXPECT_FALSE(control->style & kDefaultButton);
        if (expected.kind == Edit) {
            EXPECT_TRUE(control->style & kPassword);
            EXPECT_EQ(control->maxLength, 16);
        }
    }
}

} // namespace
