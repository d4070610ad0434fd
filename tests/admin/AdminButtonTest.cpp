#include "admin/AdminDialogsFactory.h"
#include "admin/ModalAdminDialogs.h"
#include "app/BrimletDlg.h"
#include "resources/AdminResourceIds.h"
#include "tests/admin/ActAsUser.h"
#include "tests/admin/TempSettingsFile.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::string kWrongLogin = "비밀번호가 일치하지 않습니다";
const std::string kWrongCurrent = "기존 비밀번호가 틀립니다.";
const std::string kNewDiffer = "새로운 비밀번호 설정값이 일치하지 않습니다.";

using Act = std::function<void(CDialog&)>;

// The real modal dialogs, with the user's part scripted. Each showing is noted in
// `shown`; every dialog must show with all its fields empty.
class DrivenAdminDialogs : public ModalAdminDialogs {
public:
    DrivenAdminDialogs(CWnd* parent, const std::vector<Act>& script, std::vector<int>& shown)
        : ModalAdminDialogs(parent), script(script.begin(), script.end()), shown(shown) {}

protected:
    INT_PTR RunModal(CDialog& dialog) override {
        shown.push_back(dialog.GetTemplate().id);
        if (script.empty()) {
            return IDCANCEL; // the shown dialogs tell
        }
        const Act act = script.front();
        script.pop_front();
        return RunModalAsUser(dialog, [&act](CDialog& shownDialog) {
            for (const ControlTemplate& control : shownDialog.GetTemplate().controls) {
                if (control.kind == ControlKind::Edit) {
                    EXPECT_EQ(FieldText(shownDialog, control.id), "") << "field " << control.id;
                }
            }
            act(shownDialog);
        });
    }

private:
    std::deque<Act> script;
    std::vector<int>& shown;
};

// ADMIN 1 is "12AB", ADMIN 2 is "1234567890ABCDEF" (stored forms from openssl).
std::string SettingsWith(const std::string& storedA, const std::string& storedB) {
    return "[Port]\r\nLast=7\r\n[CONFIG]\r\nA=" + storedA + "\r\nB=" + storedB + "\r\n";
}
const std::string kStoredSettings = SettingsWith("AFAEE11809A05232", "F11AAB0566F3F7E2");

Act Login(std::string first, std::string second, int endWith = IDOK) {
    return [=](CDialog& dialog) {
        PasteInto(dialog, IDC_LOGIN_FIRST_PASSWORD, first);
        PasteInto(dialog, IDC_LOGIN_SECOND_PASSWORD, second);
        ClickButton(dialog, endWith);
    };
}

// Types into a change dialog and clicks `button`; button 0 presses Enter instead.
Act Change(std::string current, std::string newText, std::string confirmText, int button) {
    return [=](CDialog& dialog) {
        PasteInto(dialog, IDC_CURRENT_PASSWORD, current);
        PasteInto(dialog, IDC_NEW_PASSWORD, newText);
        PasteInto(dialog, IDC_CONFIRM_PASSWORD, confirmText);
        if (button == 0) {
            PressKeyIn(dialog, IDC_CONFIRM_PASSWORD, VK_RETURN);
        } else {
            ClickButton(dialog, button);
        }
    };
}

// Runs the first part, then, if the dialog is still open, the second.
Act Then(Act first, Act second) {
    return [=](CDialog& dialog) {
        first(dialog);
        if (dialog.IsWindowVisible()) {
            second(dialog);
        }
    };
}

const Act kCancel = [](CDialog& dialog) { ClickButton(dialog, IDCANCEL); };
const Act kRightLogin = Login("12AB", "1234567890ABCDEF");
const Act kAdmin1Next = Change("12AB", "zz", "zz", IDC_NEXT_BUTTON);

struct ButtonCase {
    const char* name;
    std::vector<Act> script; // one act per showing of a dialog
    std::vector<int> shown;
    std::vector<std::string> boxes;
    std::string settingsAfter = kStoredSettings;
};

class AdminButton : public testing::TestWithParam<ButtonCase> {};

TEST_P(AdminButton, RunsThePasswordChange) {
    CBrimletDlg window;
    ASSERT_TRUE(window.Create());
    TempSettingsFile settings(kStoredSettings);
    RecordedBoxes boxes;
    std::vector<int> shown;
    {
        const ScopedAdminDialogsFactory factory([&](CWnd* parent) {
            EXPECT_EQ(parent, &window);
            return std::make_unique<DrivenAdminDialogs>(parent, GetParam().script, shown);
        });
        window.OnAdminPasswordChange();
    }
    EXPECT_EQ(shown, GetParam().shown);
    EXPECT_EQ(boxes.texts, GetParam().boxes);
    EXPECT_EQ(settings.Read(), GetParam().settingsAfter);
    window.DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, AdminButton,
    testing::Values(ButtonCase{"LoginClosed", {Login("", "", IDCANCEL)}, {129}, {}},
                    ButtonCase{"WrongLoginThenFullChange",
                               {Login("12AB", "wrong"), Login("12ab", "1234567890abcdef"),
                                Change("12ab", "zz", "zz", IDC_NEXT_BUTTON),
                                Change("1234567890ABCDEF", "PASSWORD", "PASSWORD", IDOK)},
                               {129, 129, 130, 131},
                               {kWrongLogin},
                               SettingsWith("7CBEE7FB82C0AFC5", "28C90910C5A19203")},
                    ButtonCase{"CurrentPasswordCheckedAgainAfterLogin",
                               {kRightLogin,
                                Then(Change("1234567890ABCDEF", "zz", "zz", IDC_NEXT_BUTTON),
                                     Change("12AB", "zz", "zz", IDC_NEXT_BUTTON)),
                                Then(Change("12AB", "", "", IDOK),
                                     Then(Change("1234567890ABCDEF", "ab12", "AB12", IDOK),
                                          Change("1234567890ABCDEF", "", "", IDOK)))},
                               {129, 130, 131},
                               {kWrongCurrent, kWrongCurrent, kNewDiffer},
                               SettingsWith("7CBEE7FB82C0AFC5", "9F9839FC2ACB378C")},
                    ButtonCase{
                        "EnterInFirstChangeDialogRunsTheCheckAndPreviousThenCancelWritesNothing",
                        {kRightLogin, kAdmin1Next, Change("1234567890ABCDEF", "x", "x", IDCANCEL),
                         Then(Change("wrong", "zz", "zz", 0), kCancel)},
                        {129, 130, 131, 130},
                        {kWrongCurrent}},
                    ButtonCase{"PreviousThenEmptyNewPasswordsStored",
                               {kRightLogin, kAdmin1Next, kCancel, Change("12AB", "", "", 0),
                                Change("1234567890ABCDEF", "", "", 0)},
                               {129, 130, 131, 130, 131},
                               {},
                               SettingsWith("9F9839FC2ACB378C", "9F9839FC2ACB378C")}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
