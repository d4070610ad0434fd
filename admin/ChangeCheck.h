#pragma once

#include <string>

// The check behind "Next" (ADMIN 1, key "A") and "Finish" (ADMIN 2, key "B").
enum class ChangeCheck {
    Accepted,
    WrongCurrentPassword,
    NewPasswordsDiffer,
};

// The current password is compared with the stored value every time, even right
// after a login. The new text and its confirmation are compared as typed: ab12
// and AB12 differ although they give the same stored form.
ChangeCheck CheckPasswordChange(const std::string& key, const std::string& currentPassword,
                                const std::string& newPassword, const std::string& confirmPassword);

// The message box text for a refusal; empty for Accepted.
std::string ChangeCheckMessage(ChangeCheck result);
