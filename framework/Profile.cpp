#include "framework/Profile.h"

#include "framework/AtomicFile.h"
#include "framework/IniDocument.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

namespace {

std::optional<std::string> LookUp(const char* section, const char* key, const char* fileName) {
    if (section == nullptr || key == nullptr || fileName == nullptr) {
        return std::nullopt;
    }
    FileContent file = ReadWholeFile(fileName);
    if (file.status != FileReadStatus::Ok) {
        return std::nullopt;
    }
    return IniDocument(file.bytes).Find(section, key);
}

} // namespace

unsigned long GetPrivateProfileStringA(const char* section, const char* key,
                                       const char* defaultText, char* returnedText,
                                       unsigned long size, const char* fileName) {
    if (returnedText == nullptr || size == 0) {
        return 0;
    }
    std::string value =
        LookUp(section, key, fileName).value_or(defaultText != nullptr ? defaultText : "");
    std::size_t copied = std::min<std::size_t>(value.size(), size - 1);
    std::memcpy(returnedText, value.data(), copied);
    returnedText[copied] = '\0';
    return static_cast<unsigned long>(copied);
}

int WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                               const char* fileName) {
    if (section == nullptr || fileName == nullptr || !IniDocument::IsStorableSection(section) ||
        (key != nullptr && !IniDocument::IsStorableKey(key)) ||
        (value != nullptr && !IniDocument::IsStorableValue(value))) {
        return 0;
    }
    FileContent file = ReadWholeFile(fileName);
    if (file.status == FileReadStatus::Failed) {
        return 0;
    }
    IniDocument document(file.bytes);
    bool changed = true;
    if (key == nullptr) {
        changed = document.RemoveSection(section);
    } else if (value == nullptr) {
        changed = document.RemoveKey(section, key);
    } else {
        document.Set(section, key, value);
    }
    if (!changed) {
        return 1; // nothing to remove: the file already says what was asked
    }
    return ReplaceFileAtomically(fileName, document.Text()) ? 1 : 0;
}
