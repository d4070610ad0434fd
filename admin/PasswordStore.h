#pragma once

#include <string>

// The two administrator passwords live in the settings file, section "CONFIG",
// keys "A" (ADMIN 1) and "B" (ADMIN 2), never in clear: each value is the
// stored form of the typed text, one 8-byte block passed once through the
// built-in triple-DES CBC decryption and written as 16 upper-case hex digits.
// Settings files in the field hold exactly this form, so it must not change.

// The settings file holds nothing else; where it lies is framework/ProgramFolder.h's rule.
inline constexpr const char* kSettingsFileName = "Brimlet.ini";
std::string SettingsFilePath();

inline constexpr const char* kAdminSection = "CONFIG";
inline constexpr const char* kAdminKeyA = "A";
inline constexpr const char* kAdminKeyB = "B";

// Read back for a missing file or key. It is not hexadecimal, so it never
// equals a stored form: without stored values no password is accepted.
inline constexpr const char* kAdminPasswordDefault = "PRAWNSTUX";

// The password fields accept at most this many characters; one block holds them.
inline constexpr int kAdminPasswordMaxLength = 16;

// Read sizes (terminator included): the login reads the whole stored value,
// the change dialogs 16 characters, so a longer damaged value is cut there.
inline constexpr int kLoginReadSize = 100;
inline constexpr int kChangeReadSize = 17;

// The stored form of a typed text: 16 upper-case hex characters. Two
// characters make one byte by the rule of HexToBytes (any character gives a
// value), an odd last character is ignored, a short text leaves the rest of the
// block zero, and only the first 16 characters count.
std::string EncodeAdminPassword(const std::string& text);

// The value of `key` in the settings file, at most size - 1 characters, or
// kAdminPasswordDefault when the file or the key is missing.
std::string LoadAdminPassword(const std::string& key, int size);

// Writes the stored forms of both texts, "A" first, then "B". Each write
// replaces the settings file whole, so a failed write leaves the old file.
// False when either write failed (a read-only folder, a full disk): "B" is then
// not tried after a failed "A".
bool SaveAdminPasswords(const std::string& textA, const std::string& textB);

// True when the stored form of `typed` equals the value of `key` read with
// `size`, exactly: a stored value in lower case never matches.
bool IsAdminPasswordCorrect(const std::string& typed, const std::string& key, int size);
