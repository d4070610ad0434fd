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
#include <ostream>
#include <string>
#include <vector>

namespace {

const std::string kWrongCurrent = "기존 비밀번호가 틀립니다.";
const std::string kNewDiffer = "새로운 비밀번호 설정값이 일치하지 않습니다.";

// ADMIN 1 is "12AB", ADMIN 2 is "1234567890ABCDEF" (stored forms from openssl).
const std::string kStoredSettings = "[CONFIG]\r\n"
                                    "A=AFAEE11809A05232\r\n"
                                    "B=F11AAB0566F3F7E2\r\n";

// How the user ends (or tries to end) a dialog.
struct Ending {
    const char* name;
    std::function<void(CDialog&)> act;
};

Ending Click(const char* name, int id) {
    return {name, [id](CDialog& dialog) { ClickButton(dialog, id); }};
}
Ending Key(const char* name, int fieldId, UINT key) {
    return {name, [fieldId, key](CDialog& dialog) { PressKeyIn(dialog, fieldId, key); }};
}
Ending CaptionClose() {
    return {"CaptionClose", [](CDialog& dialog) { RequestClose(dialog); }};
}

// The login ---------------------------------------------------------------

struct LoginCase {
    Ending ending;
    INT_PTR expected;
};

void PrintTo(const LoginCase& login, std::ostream* out) {
    *out << login.ending.name;
}

class LoginDialog : public testing::TestWithParam<LoginCase> {};

TEST_P(LoginDialog, EndsAsTheUserChose) {
    CLoginDlg dialog;
    std::string firstOnShow = "?", secondOnShow = "?";
    const INT_PTR result = RunModalAsUser(dialog, [&](CDialog& shown) {
        firstOnShow = FieldText(shown, IDC_LOGIN_FIRST_PASSWORD);
        secondOnShow = FieldText(shown, IDC_LOGIN_SECOND_PASSWORD);
        PasteInto(shown, IDC_LOGIN_FIRST_PASSWORD, "12ab");
        PasteInto(shown, IDC_LOGIN_SECOND_PASSWORD, "second");
        GetParam().ending.act(shown);
    });
    EXPECT_EQ(result, GetParam().expected);
    EXPECT_EQ(firstOnShow, "");
    EXPECT_EQ(secondOnShow, "");
    if (result == IDOK) {
        EXPECT_EQ(dialog.firstPassword, "12ab");
        EXPECT_EQ(dialog.secondPassword, "second");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Endings, LoginDialog,
    testing::Values(LoginCase{Click("LoginButton", IDOK), IDOK},
                    LoginCase{Key("EnterInFirstField", IDC_LOGIN_FIRST_PASSWORD, VK_RETURN), IDOK},
                    LoginCase{Key("EnterInSecondField", IDC_LOGIN_SECOND_PASSWORD, VK_RETURN),
                              IDOK},
                    LoginCase{Click("CloseButton", IDCANCEL), IDCANCEL},
                    LoginCase{Key("Escape", IDC_LOGIN_SECOND_PASSWORD, VK_ESCAPE), IDCANCEL},
                    LoginCase{CaptionClose(), IDCANCEL}),
    [](const auto& info) { return std::string(info.param.ending.name); });

// The change dialogs -------------------------------------------------------

struct ChangeCase {
    const char* name;
    int which; // 1: CSetAdmin1 (key "A"), 2: CSetAdmin2 (key "B")
    std::string current, newPassword, confirmPassword;
    Ending ending;
    INT_PTR expected;               // kLeftOpenByScript: the dialog stays open
    std::vector<std::string> boxes; // message box texts, in order
};

std::unique_ptr<CSetAdminDlg> MakeChangeDialog(int which) {
    if (which == 1) {
        return std::make_unique<CSetAdmin1>();
    }
    return std::make_unique<CSetAdmin2>();
}

const Ending kNext = Click("Next", IDC_NEXT_BUTTON);
const Ending kFinish = Click("Finish", IDOK);
const Ending kEnter = Key("Enter", IDC_CONFIRM_PASSWORD, VK_RETURN);

const ChangeCase kChangeCases[] = {
    {"Admin1NextAccepted", 1, "12AB", "zz", "zz", kNext, IDOK, {}},
    {"Admin1CurrentInLowerCase", 1, "12ab", "x", "x", kNext, IDOK, {}},
    {"Admin1EnterRunsTheCheckAndAccepts", 1, "12AB", "zz", "zz", kEnter, IDOK, {}},
    {"Admin1EnterRunsTheCheckAndRefuses",
     1,
     "wrong",
     "zz",
     "zz",
     kEnter,
     kLeftOpenByScript,
     {kWrongCurrent}},
    {"Admin1EnterRefusesUnequalTexts",
     1,
     "12AB",
     "a",
     "b",
     kEnter,
     kLeftOpenByScript,
     {kNewDiffer}},
    {"Admin1WrongCurrent", 1, "12AC", "zz", "zz", kNext, kLeftOpenByScript, {kWrongCurrent}},
    {"Admin1OtherAdminsPassword",
     1,
     "1234567890ABCDEF",
     "",
     "",
     kNext,
     kLeftOpenByScript,
     {kWrongCurrent}},
    {"Admin1CaseDiffersRefused", 1, "12AB", "ab12", "AB12", kNext, kLeftOpenByScript, {kNewDiffer}},
    {"Admin1EmptyNewAccepted", 1, "12AB", "", "", kNext, IDOK, {}},
    {"Admin1Cancel", 1, "wrong", "a", "b", Click("Cancel", IDCANCEL), IDCANCEL, {}},
    {"Admin1Escape",
     1,
     "wrong",
     "a",
     "b",
     Key("Escape", IDC_NEW_PASSWORD, VK_ESCAPE),
     IDCANCEL,
     {}},
    {"Admin1CaptionClose", 1, "12AB", "zz", "zz", CaptionClose(), IDCANCEL, {}},
    {"Admin2FinishAccepted", 2, "1234567890ABCDEF", "PASSWORD", "PASSWORD", kFinish, IDOK, {}},
    {"Admin2EnterAccepted", 2, "1234567890abcdef", "", "", kEnter, IDOK, {}},
    {"Admin2EnterRefuses", 2, "12AB", "", "", kEnter, kLeftOpenByScript, {kWrongCurrent}},
    {"Admin2OtherAdminsPassword",
     2,
     "12AB",
     "zz",
     "zz",
     kFinish,
     kLeftOpenByScript,
     {kWrongCurrent}},
    {"Admin2CaseDiffersRefused",
     2,
     "1234567890ABCDEF",
     "ab12",
     "AB12",
     kFinish,
     kLeftOpenByScript,
     {kNewDiffer}},
    {"Admin2Previous",
     2,
     "1234567890ABCDEF",
     "zz",
     "zz",
     Click("Previous", IDCANCEL),
     IDCANCEL,
     {}},
    {"Admin2Escape", 2, "", "", "", Key("Escape", IDC_CURRENT_PASSWORD, VK_ESCAPE), IDCANCEL, {}},
    {"Admin2CaptionClose", 2, "", "", "", CaptionClose(), IDCANCEL, {}},
};

void PrintTo(const ChangeCase& change, std::ostream* out) {
    *out << change.name;
}

class ChangeDialog : public testing::TestWithParam<ChangeCase> {};

TEST_P(ChangeDialog, ChecksBeforeItEnds) {
    const ChangeCase& change = GetParam();
    TempSettingsFile settings;
    settings.Write(kStoredSettings);
    RecordedBoxes boxes;
    const std::unique_ptr<CSetAdminDlg> dialog = MakeChangeDialog(change.which);
    std::vector<std::string> fieldsLeftOpen;

    const INT_PTR result = RunModalAsUser(*dialog, [&](CDialog& shown) {
        for (int id : {IDC_CURRENT_PASSWORD, IDC_NEW_PASSWORD, IDC_CONFIRM_PASSWORD}) {
            EXPECT_EQ(FieldText(shown, id), "") << "a new dialog starts empty";
        }
        PasteInto(shown, IDC_CURRENT_PASSWORD, change.current);
        PasteInto(shown, IDC_NEW_PASSWORD, change.newPassword);
        PasteInto(shown, IDC_CONFIRM_PASSWORD, change.confirmPassword);
        change.ending.act(shown);
        if (shown.IsWindowVisible()) {
            for (int id : {IDC_CURRENT_PASSWORD, IDC_NEW_PASSWORD, IDC_CONFIRM_PASSWORD}) {
                fieldsLeftOpen.push_back(FieldText(shown, id));
            }
        }
    });

    EXPECT_EQ(result, change.expected);
    EXPECT_EQ(boxes.texts, change.boxes);
    if (result == IDOK) {
        EXPECT_EQ(dialog->newPassword, change.newPassword);
    }
    if (change.expected == kLeftOpenByScript) {
        const std::vector<std::string> typed{change.current, change.newPassword,
                                             change.confirmPassword};
        EXPECT_EQ(fieldsLeftOpen, typed) << "a refused dialog keeps the typed texts";
    }
    EXPECT_EQ(settings.Read(), kStoredSettings) << "a change dialog never writes";
}

INSTANTIATE_TEST_SUITE_P(Checks, ChangeDialog, testing::ValuesIn(kChangeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ChangeDialog, RefusedThenCorrectedEndsWithTheCorrectedTexts) {
    TempSettingsFile settings;
    settings.Write(kStoredSettings);
    RecordedBoxes boxes;
    CSetAdmin1 dialog;
    const INT_PTR result = RunModalAsUser(dialog, [](CDialog& shown) {
        PasteInto(shown, IDC_CURRENT_PASSWORD, "12AB");
        PasteInto(shown, IDC_NEW_PASSWORD, "ab12");
        PasteInto(shown, IDC_CONFIRM_PASSWORD, "AB12");
        ClickButton(shown, IDC_NEXT_BUTTON);
        PasteInto(shown, IDC_CONFIRM_PASSWORD, "ab12");
        ClickButton(shown, IDC_NEXT_BUTTON);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(boxes.texts, std::vector<std::string>{kNewDiffer});
    EXPECT_EQ(dialog.newPassword, "ab12");
}

// Every field takes 16 characters at most --------------------------------

struct FieldCase {
    const char* name;
    std::function<std::unique_ptr<CDialog>()> make;
    int id;
};

const FieldCase kFields[] = {
    {"LoginFirst", [] { return std::make_unique<CLoginDlg>(); }, IDC_LOGIN_FIRST_PASSWORD},
    {"LoginSecond", [] { return std::make_unique<CLoginDlg>(); }, IDC_LOGIN_SECOND_PASSWORD},
    {"Admin1Current", [] { return std::make_unique<CSetAdmin1>(); }, IDC_CURRENT_PASSWORD},
    {"Admin1New", [] { return std::make_unique<CSetAdmin1>(); }, IDC_NEW_PASSWORD},
    {"Admin1Confirm", [] { return std::make_unique<CSetAdmin1>(); }, IDC_CONFIRM_PASSWORD},
    {"Admin2Current", [] { return std::make_unique<CSetAdmin2>(); }, IDC_CURRENT_PASSWORD},
    {"Admin2New", [] { return std::make_unique<CSetAdmin2>(); }, IDC_NEW_PASSWORD},
    {"Admin2Confirm", [] { return std::make_unique<CSetAdmin2>(); }, IDC_CONFIRM_PASSWORD},
};

void PrintTo(const FieldCase& field, std::ostream* out) {
    *out << field.name;
}

class PasswordField : public testing::TestWithParam<FieldCase> {};

TEST_P(PasswordField, KeepsSixteenCharactersOfAPaste) {
    const std::unique_ptr<CDialog> dialog = GetParam().make();
    std::string kept;
    RunModalAsUser(*dialog, [&](CDialog& shown) {
        PasteInto(shown, GetParam().id, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ0123");
        kept = FieldText(shown, GetParam().id);
        ClickButton(shown, IDCANCEL);
    });
    EXPECT_EQ(kept, "0123456789ABCDEF");
}

INSTANTIATE_TEST_SUITE_P(Fields, PasswordField, testing::ValuesIn(kFields),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
