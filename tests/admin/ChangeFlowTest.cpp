#include "admin/ModalAdminDialogs.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/MessageBox.h"
#include "framework/UiThread.h"
#include "framework/UserInput.h"
#include "resources/AdminResourceIds.h"
#include "tests/admin/TempSettingsFile.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <stdexcept>

namespace {

using Act = std::function<void(CDialog&)>;

// The real modal dialogs, the user's part scripted: one act per showing.
class ScriptedDialogs : public ModalAdminDialogs {
public:
    explicit ScriptedDialogs(const std::vector<Act>& script)
        : ModalAdminDialogs(nullptr), script(script.begin(), script.end()) {}
    std::vector<int> shown;

protected:
    INT_PTR RunModal(CDialog& dialog) override {
        shown.push_back(dialog.GetTemplate().id);
        if (script.empty()) {
            if (shown.size() > 10) {
                throw std::logic_error("the flow keeps asking after the script ended");
            }
            return IDCANCEL; // the shown dialogs tell
        }
        PostToUiThread([&dialog, act = script.front()] {
            act(dialog);
            if (dialog.IsWindowVisible()) {
                dialog.EndDialog(-2); // left open: the flow must not take it as done
            }
        });
        script.pop_front();
        return dialog.DoModal();
    }

private:
    std::deque<Act> script;
};

Act Login(std::string first, std::string second, int button = IDOK) {
    return [=](CDialog& dialog) {
        dialog.GetDlgItem(IDC_LOGIN_FIRST_PASSWORD)->SetWindowText(first);
        dialog.GetDlgItem(IDC_LOGIN_SECOND_PASSWORD)->SetWindowText(second);
        static_cast<CButton*>(dialog.GetDlgItem(button))->Click();
    };
}

// Types, clicks button (0: Return in the last field), then runs next if still open.
Act Change(std::string current, std::string typed, std::string confirm, int button,
           Act next = nullptr) {
    return [=](CDialog& dialog) {
        dialog.GetDlgItem(IDC_CURRENT_PASSWORD)->SetWindowText(current);
        dialog.GetDlgItem(IDC_NEW_PASSWORD)->SetWindowText(typed);
        dialog.GetDlgItem(IDC_CONFIRM_PASSWORD)->SetWindowText(confirm);
        if (button == 0) {
            PressKey(*dialog.GetDlgItem(IDC_CONFIRM_PASSWORD), VK_RETURN);
        } else {
            static_cast<CButton*>(dialog.GetDlgItem(button))->Click();
        }
        if (next && dialog.IsWindowVisible()) {
            next(dialog);
        }
    };
}

const char kWrongLogin[] = "비밀번호가 일치하지 않습니다";
const char kWrongCurrent[] = "기존 비밀번호가 틀립니다.";
const char kNewDiffer[] = "새로운 비밀번호 설정값이 일치하지 않습니다.";

// ADMIN 1 is "12AB", ADMIN 2 is "1234567890ABCDEF"; "zz", "PASSWORD" and "" as stored.
std::string Settings(const std::string& storedA, const std::string& storedB) {
    return "[Port]\r\nLast=7\r\n[CONFIG]\r\nA=" + storedA + "\r\nB=" + storedB + "\r\n";
}
const std::string kBefore = Settings("AFAEE11809A05232", "F11AAB0566F3F7E2");
const Act kRightLogin = Login("12AB", "1234567890ABCDEF");
const Act kAdmin1Next = Change("12AB", "zz", "zz", IDC_NEXT_BUTTON);

TEST(PasswordChange, RunsTheDialogsAndWritesOnlyAfterBoth) {
    const struct {
        const char* name;
        std::vector<Act> script;
        std::vector<int> shown;
        std::vector<std::string> boxes;
        std::string after;
    } cases[] = {
        {"WrongLoginThenFullChange",
         {Login("12AB", "wrong"), Login("12ab", "1234567890abcdef"),
          Change("12ab", "zz", "zz", IDC_NEXT_BUTTON),
          Change("1234567890ABCDEF", "PASSWORD", "PASSWORD", IDOK)},
         {129, 129, 130, 131},
         {kWrongLogin},
         Settings("7CBEE7FB82C0AFC5", "28C90910C5A19203")},
        {"CurrentCheckedAgainAndNewTextsMustMatch",
         {kRightLogin, Change("1234567890ABCDEF", "zz", "zz", IDC_NEXT_BUTTON, kAdmin1Next),
          Change("12AB", "", "", IDOK,
                 Change("1234567890ABCDEF", "ab12", "AB12", IDOK,
                        Change("1234567890ABCDEF", "", "", 0)))},
         {129, 130, 131},
         {kWrongCurrent, kWrongCurrent, kNewDiffer},
         Settings("7CBEE7FB82C0AFC5", "9F9839FC2ACB378C")},
        {"CancelledLoginEndsIt", {Login("12AB", "1234567890ABCDEF", IDCANCEL)}, {129}, {}, kBefore},
        {"PreviousThenCancelWritesNothing",
         {kRightLogin, kAdmin1Next, Change("1234567890ABCDEF", "x", "x", IDCANCEL),
          Change("wrong", "zz", "zz", 0, Change("", "", "", IDCANCEL))},
         {129, 130, 131, 130},
         {kWrongCurrent},
         kBefore},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempSettingsFile settings(kBefore);
        std::vector<std::string> boxes;
        ScopedMessageBoxResponder responder([&](const MessageBoxRequest& box) {
            boxes.push_back(box.text);
            return IDOK;
        });
        ScriptedDialogs dialogs(c.script);
        RunPasswordChangeFlow(dialogs, [&](const std::string& text) { AfxMessageBox(text); });
        EXPECT_EQ(dialogs.shown, c.shown);
        EXPECT_EQ(boxes, c.boxes);
        EXPECT_EQ(settings.Read(), c.after);
    }
}

} // namespace
