#pragma once

#include <functional>
#include <string>

// What the administrator did with one showing of a dialog. A change dialog is
// confirmed only after its change check has passed.
struct LoginAnswer {
    bool confirmed; // closed with "Login"
    std::string firstPassword;
    std::string secondPassword;
};

struct ChangeAnswer {
    bool confirmed; // closed with "Next" / "Finish"
    std::string newPassword;
};

// Shows each of the three dialogs once, new and empty, and reports how it was
// closed. The main window shows the real modal dialogs; tests script answers.
class AdminDialogs {
public:
    virtual ~AdminDialogs() = default;
    virtual LoginAnswer ShowLogin() = 0;
    virtual ChangeAnswer ShowSetAdmin1() = 0;
    virtual ChangeAnswer ShowSetAdmin2() = 0;
};

inline constexpr const char* kWrongLoginNotice = "비밀번호가 일치하지 않습니다";
// Followed by the settings file's path.
inline constexpr const char* kSettingsNotWrittenNotice =
    "설정 파일에 쓸 수 없어 비밀번호를 바꾸지 못했습니다.\r\n";

// The administrator password change behind the main window's button 1023:
// login until right or closed, then the change pair, where "Previous" goes
// back to the first change dialog. Nothing is written unless both change
// dialogs were confirmed; then both passwords are written in one go.
void RunPasswordChangeFlow(AdminDialogs& dialogs,
                           const std::function<void(const std::string&)>& showNotice);
