// see FirmwareChecksums.h
#include "download/FirmwareChecksums.h"

#include "security/Hex.h"
#include "security/Sha256.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace {

constexpr std::size_t kHashLength = 64;

std::string LowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

bool IsHash(std::string_view text) {
    return text.size() == kHashLength && std::all_of(text.begin(), text.end(), [](char c) {
               return std::isxdigit(static_cast<unsigned char>(c)) != 0;
           });
}

// The name part of a listed path, whichever separator the list was made with.
std::string_view NamePart(std::string_view path) {
    const std::size_t separator = path.find_last_of("/\\");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

} // namespace

std::string Sha256Text(std::span<const unsigned char> bytes) {
    unsigned char digest[32];
    Sha256Digest(bytes.data(), bytes.size(), digest);
    return LowerCase(BytesToHex(digest, sizeof digest));
}

ChecksumVerdict CheckListedChecksum(const std::string& firmwarePath, const std::string& actual) {
    const std::filesystem::path firmware(firmwarePath);
    std::ifstream list(firmware.parent_path() / kChecksumFileName);
    const std::string name = firmware.filename().string();
    ChecksumVerdict verdict;
    // "<hash>  <name>" (text mode) or "<hash> *<name>" (binary mode); a line of
    // another form (a comment, an escaped name) lists nothing.
    for (std::string line; std::getline(list, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const std::string_view text(line);
        if (text.size() < kHashLength + 3 || !IsHash(text.substr(0, kHashLength)) ||
            text[kHashLength] != ' ' ||
            (text[kHashLength + 1] != ' ' && text[kHashLength + 1] != '*') ||
            NamePart(text.substr(kHashLength + 2)) != name) {
            continue;
        }
        const std::string listed = LowerCase(text.substr(0, kHashLength));
        if (listed != actual) {
            verdict = {false, listed};
        }
    }
    return verdict;
}
