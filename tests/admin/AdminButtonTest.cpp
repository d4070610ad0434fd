#include "admin/AdminDialogsFactory.h"
#include "app/BrimletDlg.h"
#include "resources/AdminResourceIds.h"
#include "tests/admin/ActAsUser.h"
#include "tests/admin/DrivenAdminDialogs.h"
#include "tests/admin/TempSettingsFile.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

const std::string kWrongLogin = "비밀번호가 일치하지 않습니다";
const std::string kWrongCurrent = "기존 비밀번호가 틀립니다.";
const std::string kNewDiffer = "새로운 비밀번호 설정값이 일치하지 않습니다.";

// ADMIN 1 is "12AB", ADMIN 2 is "1234567890ABCDEF" (stored forms from openssl).
const std::string kStoredSettings = "[Port]\r\n"
                                    "Last=7\r\n"
                                    "[CONFIG]\r\n"
                                    "A=AFAEE11809A05232\r\n"
                                    "B=F11AAB0566F3F7E2\r\n";

std::string SettingsWith(const std::string& storedA, const std::string& storedB) {
    return "[Port]\r\nLast=7\r\n[CONFIG]\r\nA=" + storedA + "\r\nB=" + storedB + "\r\n";
}

UserAtDialog Login(std::string first, std::string second, int endWith = IDOK) {
    return {IDD_LOGIN, [=](CDialog& dialog) {
                PasteInto(dialog, IDC_LOGIN_FIRST_PASSWORD, first);
                PasteInto(dialog, IDC_LOGIN_SECOND_PASSWORD, second);
                ClickButton(dialog, endWith);
            }};
}

// Types into a change dialog and presses `button`; with pressEnter, Enter instead.
std::function<void(CDialog&)> Change(std::string current, std::string newText,
                                     std::string confirmText, int button, bool pressEnter = false) {
    return [=](CDialog& dialog) {
        PasteInto(dialog, IDC_CURRENT_PASSWORD, current);
        PasteInto(dialog, IDC_NEW_PASSWORD, newText);
        PasteInto(dialog, IDC_CONFIRM_PASSWORD, confirmText);
        if (pressEnter) {
            PressKeyIn(dialog, IDC_CONFIRM_PASSWORD, VK_RETURN);
        } else {
            ClickButton(dialog, button);
        }
    };
}

// Runs the first part, then, if the dialog is still open, the second.
std::function<void(CDialog&)> Then(std::function<void(CDialog&)> first,
                                   std::function<void(CDialog&)> second) {
    return [=](CDialog& dialog) {
        first(dialog);
        if (dialog.IsWindowVisible()) {
            second(dialog);
        }
    };
}

UserAtDialog Admin1(std::function<void(CDialog&)> act) {
    return {IDD_SET_ADMIN1, std::move(act)};
}
UserAtDialog Admin2(std::function<void(CDialog&)> act) {
    return {IDD_SET_ADMIN2, std::move(act)};
}

const auto kCancel = [](CDialog& dialog) { ClickButton(dialog, IDCANCEL); };

struct ButtonCase {
    const char* name;
    std::vector<UserAtDialog> script;
    std::vector<int> shown;
    std::vector<std::string> boxes;
    std::string settingsAfter;
};

void PrintTo(const ButtonCase& button, std::ostream* out) {
    *out << button.name;
}

const ButtonCase kButtonCases[] = {
    {"LoginClosed", {Login("", "", IDCANCEL)}, {129}, {}, kStoredSettings},
    {"WrongLoginShowsNoticeAndAnEmptyLoginAgain",
     {Login("12AB", "wrong"), Login("12AB", "1234567890ABCDEF", IDCANCEL)},
     {129, 129},
     {kWrongLogin},
     kStoredSettings},
    {"FullChange",
     {Login("12ab", "1234567890abcdef"), Admin1(Change("12AB", "zz", "zz", IDC_NEXT_BUTTON)),
      Admin2(Change("1234567890ABCDEF", "PASSWORD", "PASSWORD", IDOK))},
     {129, 130, 131},
     {},
     SettingsWith("7CBEE7FB82C0AFC5", "28C90910C5A19203")},
    {"CurrentPasswordCheckedAgainAfterLogin",
     {Login("12AB", "1234567890ABCDEF"),
      Admin1(Then(Change("1234567890ABCDEF", "zz", "zz", IDC_NEXT_BUTTON),
                  Change("12AB", "zz", "zz", IDC_NEXT_BUTTON))),
      Admin2(Then(Change("12AB", "", "", IDOK), Change("1234567890ABCDEF", "", "", IDOK)))},
     {129, 130, 131},
     {kWrongCurrent, kWrongCurrent},
     SettingsWith("7CBEE7FB82C0AFC5", "9F9839FC2ACB378C")},
    {"EnterInFirstChangeDialogRunsTheCheck",
     {Login("12AB", "1234567890ABCDEF"),
      Admin1(Then(Change("wrong", "zz", "zz", 0, true), kCancel))},
     {129, 130},
     {kWrongCurrent},
     kStoredSettings},
    {"PreviousThenCancelWritesNothing",
     {Login("12AB", "1234567890ABCDEF"), Admin1(Change("12AB", "zz", "zz", IDC_NEXT_BUTTON)),
      Admin2(Change("1234567890ABCDEF", "x", "x", IDCANCEL)), Admin1(kCancel)},
     {129, 130, 131, 130},
     {},
     kStoredSettings},
    {"EmptyNewPasswordsStored",
     {Login("12AB", "1234567890ABCDEF"), Admin1(Change("12AB", "", "", 0, true)),
      Admin2(Change("1234567890ABCDEF", "", "", 0, true))},
     {129, 130, 131},
     {},
     SettingsWith("9F9839FC2ACB378C", "9F9839FC2ACB378C")},
    {"CaseDifferentNewTextsRefused",
     {Login("12AB", "1234567890ABCDEF"), Admin1(Change("12AB", "zz", "zz", IDC_NEXT_BUTTON)),
      Admin2(Then(Change("1234567890ABCDEF", "ab12", "AB12", IDOK), kCancel)), Admin1(kCancel)},
     {129, 130, 131, 130},
     {kNewDiffer},
     kStoredSettings},
};

class AdminButton : public testing::TestWithParam<ButtonCase> {
protected:
    void SetUp() override { ASSERT_TRUE(window.Create()); }
    void TearDown() override { window.DestroyWindow(); }

    CBrimletDlg window;
};

TEST_P(AdminButton, RunsThePasswordChange) {
    TempSettingsFile settings;
    settings.Write(kStoredSettings);
    RecordedBoxes boxes;
    std::vector<int> shown;
    const ScopedAdminDialogsFactory factory([&](CWnd* parent) {
        EXPECT_EQ(parent, &window);
        return std::make_unique<DrivenAdminDialogs>(parent, GetParam().script, shown);
    });

    window.OnAdminPasswordChange();

    EXPECT_EQ(shown, GetParam().shown);
    EXPECT_EQ(boxes.texts, GetParam().boxes);
    EXPECT_EQ(settings.Read(), GetParam().settingsAfter);
}

INSTANTIATE_TEST_SUITE_P(Scripts, AdminButton, testing::ValuesIn(kButtonCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AdminButtonAsBuilt, StaysHidden) {
    CBrimletDlg window;
    ASSERT_TRUE(window.Create());
    CWnd* button = window.GetDlgItem(1023);
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->IsWindowVisible());
    EXPECT_EQ(button->GetWindowText(), "Admin Password Change");
    window.DestroyWindow();
}

} // namespace
