#pragma once

#include <optional>
#include <string>
#include <string_view>

// The version text a reader answers to FF 04, 16 and FF 97.

// A version answer starts with "D" or "K"; anything else is no version.
bool IsVersionText(std::string_view text);

// The version code: what follows the last "_", cut to six characters. None when
// the text has no "_" or its last "_" is the first character. A text ending in "_"
// has an empty code, which differs from every file version.
std::optional<std::string> VersionCodeOf(std::string_view text);
