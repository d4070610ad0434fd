#pragma once

#include <string_view>

// The language of the command line's own words (help, labels, progress, the closing
// line). The system's texts (log lines, notices, statuses) are Korean in both.
enum class Language { English, Korean };

// As the C library picks the messages' locale: the first of LC_ALL, LC_MESSAGES and
// LANG that is set and not empty decides; Korean when it starts with "ko". An unset
// variable is passed as nullptr.
Language LanguageOf(const char* lcAll, const char* lcMessages, const char* lang);

// The same, from this process's environment.
Language LanguageFromEnvironment();
