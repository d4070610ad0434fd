#include "admin/ChangeCheck.h"

#include "admin/PasswordStore.h"

// see ChangeCheck.h
ChangeCheck CheckPasswordChange(const std::string& key, const std::string& currentPassword,
                                const std::string& newPassword,
                                const std::string& confirmPassword) {
    if (!IsAdminPasswordCorrect(currentPassword, key, kChangeReadSize)) {
        return ChangeCheck::WrongCurrentPassword;
    }
    if (newPassword != confirmPassword) {
        return ChangeCheck::NewPasswordsDiffer;
    }
    return ChangeCheck::Accepted;
}

std::string ChangeCheckMessage(ChangeCheck result) {
    switch (result) {
    case ChangeCheck::WrongCurrentPassword:
        return "기존 비밀번호가 틀립니다.";
    case ChangeCheck::NewPasswordsDiffer:
        return "새로운 비밀번호 설정값이 일치하지 않습니다.";
    case ChangeCheck::Accepted:
        break;
    }
    return "";
}
