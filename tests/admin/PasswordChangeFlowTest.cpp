#include "admin/PasswordChangeFlow.h"
#include "tests/admin/TempSettingsFile.h"

#include <gtest/gtest.h>

#include <deque>
#include <ostream>
#include <string>
#include <vector>

namespace {

// One scripted answer: which dialog the flow must show next and how it ends.
struct Step {
    char dialog; // 'L' login, '1' first change dialog, '2' second change dialog
    bool confirmed;
    std::string first;  // login: ADMIN 1 password; change dialogs: the new password
    std::string second; // login only: ADMIN 2 password
};

Step Login(std::string first, std::string second) {
    return {'L', true, std::move(first), std::move(second)};
}
Step CloseLogin() {
    return {'L', false, "", ""};
}
Step Confirm(char dialog, std::string newPassword) {
    return {dialog, true, std::move(newPassword), ""};
}
Step Cancel(char dialog) {
    return {dialog, false, "", ""};
}

class ScriptedDialogs : public AdminDialogs {
public:
    explicit ScriptedDialogs(std::vector<Step> script) : script_(script.begin(), script.end()) {}

    LoginAnswer ShowLogin() override {
        const Step step = Next('L');
        return {step.confirmed, step.first, step.second};
    }
    ChangeAnswer ShowSetAdmin1() override {
        const Step step = Next('1');
        return {step.confirmed, step.first};
    }
    ChangeAnswer ShowSetAdmin2() override {
        const Step step = Next('2');
        return {step.confirmed, step.first};
    }

    const std::string& shown() const { return shown_; }
    bool finished() const { return script_.empty(); }

private:
    Step Next(char dialog) {
        shown_ += dialog;
        if (script_.empty()) {
            ADD_FAILURE() << "flow showed dialog " << dialog << " after the script ended";
            return Cancel(dialog);
        }
        const Step step = script_.front();
        script_.pop_front();
        EXPECT_EQ(step.dialog, dialog) << "after " << shown_;
        return step;
    }

    std::deque<Step> script_;
    std::string shown_;
};

// ADMIN 1 is "12AB", ADMIN 2 is "1234567890ABCDEF" (stored forms from openssl).
const std::string kStoredSettings = "[CONFIG]\r\n"
                                    "A=AFAEE11809A05232\r\n"
                                    "B=F11AAB0566F3F7E2\r\n";
const std::string kOnlyB = "[CONFIG]\r\n"
                           "B=F11AAB0566F3F7E2\r\n";

std::string SettingsWith(const std::string& storedA, const std::string& storedB) {
    return "[CONFIG]\r\nA=" + storedA + "\r\nB=" + storedB + "\r\n";
}

struct FlowCase {
    const char* name;
    std::string settings;
    std::vector<Step> script;
    std::string shown; // dialogs in the order the flow showed them
    int notices;       // times "비밀번호가 일치하지 않습니다" was shown
    std::string settingsAfter;
};

const FlowCase kFlowCases[] = {
    {"LoginClosedChangesNothing", kStoredSettings, {CloseLogin()}, "L", 0, kStoredSettings},
    {"WrongSecondPasswordAsksAgain",
     kStoredSettings,
     {Login("12AB", "1234567890ABCDEE"), CloseLogin()},
     "LL",
     1,
     kStoredSettings},
    {"WrongFirstPasswordAsksAgain",
     kStoredSettings,
     {Login("12AC", "1234567890ABCDEF"), Login("", ""), CloseLogin()},
     "LLL",
     2,
     kStoredSettings},
    {"WrongThenRightThenBothChanged",
     kStoredSettings,
     {Login("x", "y"), Login("12ab", "1234567890abcdef"), Confirm('1', "zz"),
      Confirm('2', "PASSWORD")},
     "LL12",
     1,
     SettingsWith("7CBEE7FB82C0AFC5", "28C90910C5A19203")},
    {"FirstChangeCancelledWritesNothing",
     kStoredSettings,
     {Login("12AB", "1234567890ABCDEF"), Cancel('1')},
     "L1",
     0,
     kStoredSettings},
    {"PreviousThenCancelWritesNothing",
     kStoredSettings,
     {Login("12AB", "1234567890ABCDEF"), Confirm('1', "zz"), Cancel('2'), Cancel('1')},
     "L121",
     0,
     kStoredSettings},
    {"PreviousThenFinishWritesTheLastTexts",
     kStoredSettings,
     {Login("12AB", "1234567890ABCDEF"), Confirm('1', "zz"), Cancel('2'), Confirm('1', "ab12"),
      Confirm('2', "12AB")},
     "L1212",
     0,
     SettingsWith("F0865D2B3EBECBD0", "AFAEE11809A05232")},
    {"EmptyNewPasswordsAccepted",
     kStoredSettings,
     {Login("12AB", "1234567890ABCDEF"), Confirm('1', ""), Confirm('2', "")},
     "L12",
     0,
     SettingsWith("9F9839FC2ACB378C", "9F9839FC2ACB378C")},
    {"MissingKeyARefusesLogin",
     kOnlyB,
     {Login("", "1234567890ABCDEF"), Login("PRAWNSTUX", "1234567890ABCDEF"), CloseLogin()},
     "LLL",
     2,
     kOnlyB},
    {"EmptyFileRefusesLogin", "", {Login("", ""), CloseLogin()}, "LL", 1, ""},
};

void PrintTo(const FlowCase& param, std::ostream* out) {
    *out << param.name;
}

class PasswordChangeFlowTest : public testing::TestWithParam<FlowCase> {};

TEST_P(PasswordChangeFlowTest, ShowsDialogsAndWritesOnlyOnFinish) {
    const FlowCase& flow = GetParam();
    TempSettingsFile settings;
    settings.Write(flow.settings);
    ScriptedDialogs dialogs(flow.script);
    std::vector<std::string> notices;

    RunPasswordChangeFlow(dialogs, [&](const std::string& text) { notices.push_back(text); });

    EXPECT_EQ(dialogs.shown(), flow.shown);
    EXPECT_TRUE(dialogs.finished()) << "the flow ended before the script";
    EXPECT_EQ(notices, std::vector<std::string>(flow.notices, "비밀번호가 일치하지 않습니다"));
    EXPECT_EQ(settings.Read(), flow.settingsAfter);
}

INSTANTIATE_TEST_SUITE_P(Scripts, PasswordChangeFlowTest, testing::ValuesIn(kFlowCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
