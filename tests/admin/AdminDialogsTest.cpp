#include "admin/LoginDlg.h"
#include "admin/SetAdmin1.h"
#include "admin/SetAdmin2.h"
#include "framework/UserInput.h"
#include "resources/AdminResourceIds.h"
#include "tests/admin/ActAsUser.h"
#include "tests/admin/TempSettingsFile.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::string kWrongCurrent = "기존 비밀번호가 틀립니다.";
const std::string kNewDiffer = "새로운 비밀번호 설정값이 일치하지 않습니다.";

// ADMIN 1 is "12AB", ADMIN 2 is "1234567890ABCDEF" (stored forms from openssl).
const std::string kStoredSettings = "[CONFIG]\r\nA=AFAEE11809A05232\r\nB=F11AAB0566F3F7E2\r\n";

// How the user ends (or tries to end) a dialog.
using Ending = std::function<void(CDialog&)>;
Ending Click(int id) {
    return [id](CDialog& dialog) { ClickButton(dialog, id); };
}
Ending Key(int fieldId, UINT key) {
    return [fieldId, key](CDialog& dialog) { PressKeyIn(dialog, fieldId, key); };
}
const Ending kCaptionClose = [](CDialog& dialog) { RequestClose(dialog); };

TEST(LoginDialog, EndsAsTheUserChose) {
    const struct {
        const char* name;
        Ending ending;
        INT_PTR expected;
    } cases[] = {
        {"Login", Click(IDOK), IDOK},
        {"EnterInFirst", Key(IDC_LOGIN_FIRST_PASSWORD, VK_RETURN), IDOK},
        {"EnterInSecond", Key(IDC_LOGIN_SECOND_PASSWORD, VK_RETURN), IDOK},
        {"Close", Click(IDCANCEL), IDCANCEL},
        {"Escape", Key(IDC_LOGIN_SECOND_PASSWORD, VK_ESCAPE), IDCANCEL},
        {"CaptionClose", kCaptionClose, IDCANCEL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CLoginDlg dialog;
        const INT_PTR result = RunModalAsUser(dialog, [&](CDialog& shown) {
            PasteInto(shown, IDC_LOGIN_FIRST_PASSWORD, "12ab");
            PasteInto(shown, IDC_LOGIN_SECOND_PASSWORD, "second");
            c.ending(shown);
        });
        EXPECT_EQ(result, c.expected);
        if (result == IDOK) {
            EXPECT_EQ(dialog.firstPassword, "12ab");
            EXPECT_EQ(dialog.secondPassword, "second");
        }
    }
}

// The password change itself runs through these dialogs in AdminButtonTest; here
// are the ways of ending them and what a refused dialog keeps.
TEST(ChangeDialog, ChecksBeforeItEnds) {
    const Ending kNext = Click(IDC_NEXT_BUTTON), kFinish = Click(IDOK);
    const Ending kEnter = Key(IDC_CONFIRM_PASSWORD, VK_RETURN);
    const struct {
        const char* name;
        int which; // 1: CSetAdmin1 (key "A"), 2: CSetAdmin2 (key "B")
        std::string current, newPassword, confirmPassword;
        Ending ending;
        INT_PTR expected; // kLeftOpenByScript: the dialog stays open
        std::string box;  // the message box text, if any
    } cases[] = {
        {"Admin1Next", 1, "12ab", "zz", "zz", kNext, IDOK, ""},
        {"Admin1EnterRefusesUnequalTexts", 1, "12AB", "a", "b", kEnter, kLeftOpenByScript,
         kNewDiffer},
        {"Admin1CaseDiffers", 1, "12AB", "ab12", "AB12", kNext, kLeftOpenByScript, kNewDiffer},
        {"Admin1Cancel", 1, "wrong", "a", "b", Click(IDCANCEL), IDCANCEL, ""},
        {"Admin1Escape", 1, "wrong", "a", "b", Key(IDC_NEW_PASSWORD, VK_ESCAPE), IDCANCEL, ""},
        {"Admin2Finish", 2, "1234567890ABCDEF", "PASSWORD", "PASSWORD", kFinish, IDOK, ""},
        {"Admin2Enter", 2, "1234567890abcdef", "", "", kEnter, IDOK, ""},
        {"Admin2EnterRefuses", 2, "12AB", "", "", kEnter, kLeftOpenByScript, kWrongCurrent},
        {"Admin2CaptionClose", 2, "", "", "", kCaptionClose, IDCANCEL, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempSettingsFile settings(kStoredSettings);
        RecordedBoxes boxes;
        std::unique_ptr<CSetAdminDlg> dialog = std::make_unique<CSetAdmin2>();
        if (c.which == 1) {
            dialog = std::make_unique<CSetAdmin1>();
        }
        const std::vector<std::string> typed{c.current, c.newPassword, c.confirmPassword};
        std::vector<std::string> fieldsLeftOpen;
        const INT_PTR result = RunModalAsUser(*dialog, [&](CDialog& shown) {
            PasteInto(shown, IDC_CURRENT_PASSWORD, c.current);
            PasteInto(shown, IDC_NEW_PASSWORD, c.newPassword);
            PasteInto(shown, IDC_CONFIRM_PASSWORD, c.confirmPassword);
            c.ending(shown);
            if (shown.IsWindowVisible()) {
                for (int id : {IDC_CURRENT_PASSWORD, IDC_NEW_PASSWORD, IDC_CONFIRM_PASSWORD}) {
                    fieldsLeftOpen.push_back(FieldText(shown, id));
                }
            }
        });
        EXPECT_EQ(result, c.expected);
        EXPECT_EQ(boxes.texts,
                  c.box.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.box});
        if (result == IDOK) {
            EXPECT_EQ(dialog->newPassword, c.newPassword);
        }
        if (c.expected == kLeftOpenByScript) {
            EXPECT_EQ(fieldsLeftOpen, typed) << "a refused dialog keeps the typed texts";
        }
        EXPECT_EQ(settings.Read(), kStoredSettings) << "a change dialog never writes";
    }
}

TEST(PasswordFields, KeepSixteenCharactersOfAPaste) {
    const std::vector<int> changeFields{IDC_CURRENT_PASSWORD, IDC_NEW_PASSWORD,
                                        IDC_CONFIRM_PASSWORD};
    CLoginDlg login;
    CSetAdmin1 admin1;
    CSetAdmin2 admin2;
    const std::pair<CDialog*, std::vector<int>> dialogs[] = {
        {&login, {IDC_LOGIN_FIRST_PASSWORD, IDC_LOGIN_SECOND_PASSWORD}},
        {&admin1, changeFields},
        {&admin2, changeFields},
    };
    // Clang 14 cannot capture a structured binding in a lambda: plain names.
    for (const auto& dialogAndFields : dialogs) {
        const std::vector<int>& fields = dialogAndFields.second;
        RunModalAsUser(*dialogAndFields.first, [&](CDialog& shown) {
            for (int id : fields) {
                PasteInto(shown, id, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ0123");
                EXPECT_EQ(FieldText(shown, id), "0123456789ABCDEF")
                    << "dialog " << shown.GetTemplate().id << " field " << id;
            }
            ClickButton(shown, IDCANCEL);
        });
    }
}

} // namespace
