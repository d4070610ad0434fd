// see ProfileText.h
#include "security/ProfileText.h"

#include "framework/Profile.h"

#include <algorithm>
#include <vector>

std::string ReadProfileText(std::string section, std::string key, std::string defaultText,
                            std::string file, int size) {
    if (size < 1) {
        return std::string();
    }
    std::vector<char> buffer(static_cast<size_t>(size), '\0');
    const unsigned long copied =
        GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultText.c_str(), buffer.data(),
                                 static_cast<unsigned long>(size), file.c_str());
    // the framework terminates the text, but the count bounds it in any case
    const size_t length = std::min<size_t>(copied, static_cast<size_t>(size) - 1);
    return std::string(buffer.data(), length);
}
