#pragma once

#include <span>
#include <string>

// A SHA256SUMS file in the firmware's folder, as `sha256sum MakeEncryptFW_* >
// SHA256SUMS` writes it, names the bytes each listed file must hold: a copy damaged
// on its way to the shop is stopped before it reaches a reader.

inline constexpr char kChecksumFileName[] = "SHA256SUMS";

// The SHA-256 of bytes in lower-case hexadecimal, as sha256sum prints it.
std::string Sha256Text(std::span<const unsigned char> bytes);

struct ChecksumVerdict {
    // False only when the folder's SHA256SUMS lists the file with another hash; a
    // folder without the file, or a file it does not list, passes.
    bool passes = true;
    std::string listed; // the hash the list gives, when it differs
};

// Judges the bytes read from firmwarePath by the SHA256SUMS beside it. actual is
// their Sha256Text.
ChecksumVerdict CheckListedChecksum(const std::string& firmwarePath, const std::string& actual);
