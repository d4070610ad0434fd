#include "framework/UserInput.h"
#include "framework/VirtualKeys.h"
#include "tests/framework/TestDialog.h"

#include <gtest/gtest.h>

#include <Qt>

namespace {

using namespace testdialog;

BOOL SwallowReturnAndEscape(const MSG& msg) {
    return msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE)
               ? TRUE
               : FALSE;
}

struct KeyCase {
    const char* name;
    int target; // control id, or kNoControlId for the dialog itself
    UINT key;
};

class SwallowedKey : public testing::TestWithParam<KeyCase> {};

// The main window's rule: Return and Escape are consumed and never close the window
// or press a button, wherever the focus is.
TEST_P(SwallowedKey, NeitherClosesNorCommands) {
    TestDialog dialog;
    dialog.preTranslate = SwallowReturnAndEscape;
    int commands = 0;
    dialog.OnClicked(IDOK, [&] { ++commands; });
    dialog.OnClicked(IDCANCEL, [&] { ++commands; });
    ASSERT_TRUE(dialog.Create());
    CWnd& target = GetParam().target == kNoControlId ? static_cast<CWnd&>(dialog)
                                                     : *dialog.GetDlgItem(GetParam().target);
    PressKey(target, GetParam().key);
    ASSERT_EQ(dialog.translated.size(), 1u) << "each press reaches PreTranslateMessage once";
    EXPECT_EQ(dialog.translated[0].message, WM_KEYDOWN);
    EXPECT_EQ(dialog.translated[0].wParam, GetParam().key);
    EXPECT_EQ(commands, 0);
    EXPECT_EQ(dialog.okCount + dialog.cancelCount, 0);
    EXPECT_TRUE(dialog.IsWindowVisible());
}

INSTANTIATE_TEST_SUITE_P(Cases, SwallowedKey,
                         testing::Values(KeyCase{"ReturnInEdit", kEdit, VK_RETURN},
                                         KeyCase{"EscapeInEdit", kEdit, VK_ESCAPE},
                                         KeyCase{"ReturnInList", kList, VK_RETURN},
                                         KeyCase{"EscapeOnButton", kButton, VK_ESCAPE},
                                         KeyCase{"ReturnOnDialog", kNoControlId, VK_RETURN},
                                         KeyCase{"EscapeOnDialog", kNoControlId, VK_ESCAPE}),
                         [](const testing::TestParamInfo<KeyCase>& info) {
                             return info.param.name;
                         });

TEST(DialogKeys, OtherKeysStillReachTheControlAfterTranslation) {
    TestDialog dialog;
    dialog.preTranslate = SwallowReturnAndEscape;
    ASSERT_TRUE(dialog.Create());
    CWnd& edit = *dialog.GetDlgItem(kEdit);
    edit.SetWindowText("");
    PressKey(edit, 'A');
    PressKey(edit, '1');
    EXPECT_EQ(edit.GetWindowText(), "a1");
    ASSERT_EQ(dialog.translated.size(), 2u) << "once per press, not once per parent";
    EXPECT_EQ(dialog.translated[0].wParam, static_cast<WPARAM>('A'));
    EXPECT_EQ(dialog.translated[1].wParam, static_cast<WPARAM>('1'));
    EXPECT_EQ(dialog.translated[0].hwnd, edit.Widget());
}

TEST(DialogKeys, PreTranslateCanConsumeAnyKey) {
    TestDialog dialog;
    dialog.preTranslate = [](const MSG& msg) { return msg.wParam == 'X' ? TRUE : FALSE; };
    ASSERT_TRUE(dialog.Create());
    CWnd& edit = *dialog.GetDlgItem(kEdit);
    edit.SetWindowText("");
    PressKey(edit, 'X');
    PressKey(edit, 'Y');
    EXPECT_EQ(edit.GetWindowText(), "y");
}

// Without a PreTranslateMessage rule the Windows dialog defaults apply: Escape is
// Cancel, Return is OK (the login dialogs rely on both).
TEST(DialogKeys, DefaultsGiveCancelAndOk) {
    TestDialog escape;
    ASSERT_TRUE(escape.Create());
    PressKey(*escape.GetDlgItem(kEdit), VK_ESCAPE);
    EXPECT_EQ(escape.cancelCount, 1);
    EXPECT_FALSE(escape.IsWindowVisible());

    TestDialog enter;
    ASSERT_TRUE(enter.Create());
    enter.GetDlgItem(kEdit)->SetWindowText("99");
    PressKey(*enter.GetDlgItem(kEdit), VK_RETURN);
    EXPECT_EQ(enter.okCount, 1);
    EXPECT_EQ(enter.editText, "99") << "OnOK reads the fields into the members";
}

TEST(DialogKeys, ReturnOnAFocusedButtonPressesThatButton) {
    TestDialog dialog;
    int pressed = 0;
    dialog.OnClicked(kButton, [&] { ++pressed; });
    ASSERT_TRUE(dialog.Create());
    PressKey(*dialog.GetDlgItem(kButton), VK_RETURN);
    EXPECT_EQ(pressed, 1);
    EXPECT_EQ(dialog.okCount, 0);
}

TEST(DialogKeys, ReturnPressesTheDefaultButton) {
    static constexpr ControlTemplate controls[] = {
        {1, ControlKind::Edit, 4, 4, 40, 12, kVisible, ""},
        {1058, ControlKind::Button, 4, 20, 40, 12, kVisible | kDefaultButton, "확인"},
    };
    static constexpr DialogTemplate withDefault{132,         "", 100,         40,
                                                "맑은 고딕", 12, kThinBorder, controls};
    TestDialog dialog(withDefault);
    int confirmed = 0;
    dialog.OnClicked(1058, [&] { ++confirmed; });
    ASSERT_TRUE(dialog.Create());
    PressKey(*dialog.GetDlgItem(1), VK_RETURN);
    EXPECT_EQ(confirmed, 1);
    dialog.GetDlgItem(1058)->EnableWindow(FALSE);
    PressKey(*dialog.GetDlgItem(1), VK_RETURN);
    EXPECT_EQ(confirmed, 1) << "a disabled default button is not pressed";
    EXPECT_EQ(dialog.okCount, 0);
}

TEST(DialogKeys, AltKeysArriveAsSystemKeys) {
    TestDialog dialog;
    dialog.preTranslate = [](const MSG&) { return TRUE; };
    ASSERT_TRUE(dialog.Create());
    PressKey(dialog, 'S', true);
    ASSERT_EQ(dialog.translated.size(), 1u);
    EXPECT_EQ(dialog.translated[0].message, WM_SYSKEYDOWN);
}

struct VirtualKeyCase {
    const char* name;
    int qtKey;
    UINT virtualKey;
};

class VirtualKeyMapping : public testing::TestWithParam<VirtualKeyCase> {};

TEST_P(VirtualKeyMapping, BothWays) {
    EXPECT_EQ(VirtualKeyFromQtKey(GetParam().qtKey), GetParam().virtualKey);
    EXPECT_EQ(QtKeyFromVirtualKey(GetParam().virtualKey), GetParam().qtKey);
}

INSTANTIATE_TEST_SUITE_P(Cases, VirtualKeyMapping,
                         testing::Values(VirtualKeyCase{"Return", Qt::Key_Return, 13},
                                         VirtualKeyCase{"Escape", Qt::Key_Escape, 27},
                                         VirtualKeyCase{"Space", Qt::Key_Space, VK_SPACE},
                                         VirtualKeyCase{"LetterA", Qt::Key_A, 'A'},
                                         VirtualKeyCase{"LetterZ", Qt::Key_Z, 'Z'},
                                         VirtualKeyCase{"Digit0", Qt::Key_0, '0'},
                                         VirtualKeyCase{"F4", Qt::Key_F4, VK_F4},
                                         VirtualKeyCase{"F12", Qt::Key_F12, 0x7B},
                                         VirtualKeyCase{"Left", Qt::Key_Left, VK_LEFT},
                                         VirtualKeyCase{"Delete", Qt::Key_Delete, VK_DELETE}),
                         [](const testing::TestParamInfo<VirtualKeyCase>& info) {
                             return info.param.name;
                         });

TEST(VirtualKeyMappingExtra, KeypadEnterIsReturnAndUnknownIsZero) {
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Enter), VK_RETURN);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_MediaPlay), 0u);
    EXPECT_EQ(QtKeyFromVirtualKey(0xFF), 0);
}

} // namespace
