// see Language.h
#include "cli/Language.h"

#include <cstdlib>

Language LanguageOf(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* setting : {lcAll, lcMessages, lang}) {
        if (setting != nullptr && *setting != '\0') {
            return std::string_view(setting).starts_with("ko") ? Language::Korean
                                                               : Language::English;
        }
    }
    return Language::English;
}

Language LanguageFromEnvironment() {
    return LanguageOf(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}
