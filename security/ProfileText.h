#pragma once

#include <string>

// One value from an INI file: at most size - 1 characters, or defaultText when the file,
// section or key is missing. A size below 1 reads nothing and gives the empty text.
std::string ReadProfileText(std::string section, std::string key, std::string defaultText,
                            std::string file, int size);
