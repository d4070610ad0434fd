#pragma once

#include <string>
#include <vector>

// Wildcard file search in the manner of FindFirstFile/FindNextFile.

struct FoundFile {
    std::string fileName; // name without folder
    std::string fullPath; // folder + "/" + fileName
};

// '*' matches any run of characters (also none), '?' exactly one character; letters
// compare without case, as on Windows. Works on UTF-8 bytes except that '?' takes one
// whole UTF-8 character.
bool WildcardMatch(const std::string& name, const std::string& pattern);

// Regular files (or links to them) directly in folder whose names match pattern,
// sorted by name so that "the last match" means the same on every machine. A
// missing or unreadable folder gives no matches.
std::vector<FoundFile> FindFiles(const std::string& folder, const std::string& pattern);
