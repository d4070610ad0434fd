#include "framework/UserInput.h"
#include "framework/VirtualKeys.h"
#include "tests/framework/TestDialog.h"

#include <gtest/gtest.h>

#include <Qt>

namespace {

using namespace testdialog;

// The main window's rule: Return and Escape are consumed and never close the window
// or press a button, wherever the focus is; other keys still reach the control.
TEST(DialogKeys, ReturnAndEscapeSwallowedOtherKeysPass) {
    TestDialog dialog;
    dialog.preTranslate = [](const MSG& msg) {
        return msg.message == WM_KEYDOWN &&
                       (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE || msg.wParam == 'X')
                   ? TRUE
                   : FALSE;
    };
    int commands = 0;
    dialog.OnClicked(IDOK, [&] { ++commands; });
    dialog.OnClicked(IDCANCEL, [&] { ++commands; });
    ASSERT_TRUE(dialog.Create());
    CWnd& edit = *dialog.GetDlgItem(kEdit);
    for (CWnd* target : {&edit, dialog.GetDlgItem(kButton), static_cast<CWnd*>(&dialog)}) {
        for (UINT key : {VK_RETURN, VK_ESCAPE}) {
            SCOPED_TRACE(testing::Message() << target->GetDlgCtrlID() << " key " << key);
            dialog.translated.clear();
            PressKey(*target, key);
            ASSERT_EQ(dialog.translated.size(), 1u)
                << "each press reaches PreTranslateMessage once";
            EXPECT_EQ(dialog.translated[0].message, WM_KEYDOWN);
            EXPECT_EQ(dialog.translated[0].wParam, key);
        }
    }
    EXPECT_EQ(commands, 0);
    EXPECT_EQ(dialog.okCount + dialog.cancelCount, 0);
    EXPECT_TRUE(dialog.IsWindowVisible());

    dialog.translated.clear();
    edit.SetWindowText("");
    for (char key : {'A', 'X', '1'}) {
        PressKey(edit, key);
    }
    EXPECT_EQ(edit.GetWindowText(), "a1") << "X is consumed by the rule too";
    ASSERT_EQ(dialog.translated.size(), 3u) << "once per press, not once per parent";
    EXPECT_EQ(dialog.translated[0].wParam, static_cast<WPARAM>('A'));
    EXPECT_EQ(dialog.translated[0].hwnd, edit.Widget());
    PressKey(dialog, 'S', true);
    EXPECT_EQ(dialog.translated.back().message, WM_SYSKEYDOWN);
}

// Without a PreTranslateMessage rule the Windows dialog defaults apply: Escape is
// Cancel, Return is OK (the login dialogs rely on both), unless a button has focus.
TEST(DialogKeys, DefaultsGiveCancelAndOk) {
    TestDialog escape;
    ASSERT_TRUE(escape.Create());
    PressKey(*escape.GetDlgItem(kEdit), VK_ESCAPE);
    EXPECT_EQ(escape.cancelCount, 1);
    EXPECT_FALSE(escape.IsWindowVisible());

    TestDialog enter;
    int pressed = 0;
    enter.OnClicked(kButton, [&] { ++pressed; });
    ASSERT_TRUE(enter.Create());
    PressKey(*enter.GetDlgItem(kButton), VK_RETURN);
    EXPECT_EQ(pressed, 1);
    EXPECT_EQ(enter.okCount, 0);
    enter.GetDlgItem(kEdit)->SetWindowText("99");
    PressKey(*enter.GetDlgItem(kEdit), VK_RETURN);
    EXPECT_EQ(enter.okCount, 1);
    EXPECT_EQ(enter.editText, "99") << "OnOK reads the fields into the members";
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

TEST(VirtualKeyMapping, BothWays) {
    const std::pair<int, UINT> pairs[] = {{Qt::Key_Return, 13},      {Qt::Key_Escape, 27},
                                          {Qt::Key_Space, VK_SPACE}, {Qt::Key_A, 'A'},
                                          {Qt::Key_Z, 'Z'},          {Qt::Key_0, '0'},
                                          {Qt::Key_F4, VK_F4},       {Qt::Key_F12, 0x7B},
                                          {Qt::Key_Left, VK_LEFT},   {Qt::Key_Delete, VK_DELETE}};
    for (const auto& [qtKey, virtualKey] : pairs) {
        EXPECT_EQ(VirtualKeyFromQtKey(qtKey), virtualKey) << qtKey;
        EXPECT_EQ(QtKeyFromVirtualKey(virtualKey), qtKey) << virtualKey;
    }
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Enter), VK_RETURN);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_MediaPlay), 0u);
    EXPECT_EQ(QtKeyFromVirtualKey(0xFF), 0);
}

} // namespace
