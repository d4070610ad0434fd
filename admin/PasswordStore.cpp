#include "admin/PasswordStore.h"

#include "framework/Profile.h"
#include "framework/ProgramFolder.h"
#include "security/Cbc.h"
#include "security/Function.h"
#include "security/Hex.h"
#include "security/ProfileText.h"

// see PasswordStore.h
std::string SettingsFilePath() {
    return GetSettingsPath(kSettingsFileName);
}

std::string EncodeAdminPassword(const std::string& text) {
    unsigned char block[8] = {};
    // HexToBytes writes text.size() / 2 bytes; a pasted or damaged text longer
    // than the block would otherwise run past it.
    HexToBytes(text.substr(0, kAdminPasswordMaxLength), block);
    const CFunction function;
    CbcDecryptBlock(function.initVector, block, block, function.tripleKey);
    return BytesToHex(block, sizeof block);
}

std::string LoadAdminPassword(const std::string& key, int size) {
    return ReadProfileText(kAdminSection, key, kAdminPasswordDefault, SettingsFilePath(), size);
}

bool SaveAdminPasswords(const std::string& textA, const std::string& textB) {
    const std::string file = SettingsFilePath();
    return WritePrivateProfileStringA(kAdminSection, kAdminKeyA, EncodeAdminPassword(textA).c_str(),
                                      file.c_str()) &&
           WritePrivateProfileStringA(kAdminSection, kAdminKeyB, EncodeAdminPassword(textB).c_str(),
                                      file.c_str());
}

bool IsAdminPasswordCorrect(const std::string& typed, const std::string& key, int size) {
    return EncodeAdminPassword(typed) == LoadAdminPassword(key, size);
}
