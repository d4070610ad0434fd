#pragma once

#include <string>
#include <vector>

// The open-file dialog's filter text in the Windows form
// "name|pattern[;pattern]|name|pattern||" turned into name/pattern pairs.

struct FileFilter {
    std::string name;                  // shown to the user, blanks around it trimmed
    std::vector<std::string> patterns; // "*.txt"; "*.*" becomes "*" (all files, as on Windows)
};

// Blanks around names and patterns and empty patterns (a trailing ';') are dropped;
// a name without a pattern part is dropped. A null or empty text gives no filters.
std::vector<FileFilter> ParseFileFilter(const char* filter);

// One filter in the form the desktop's file dialog takes: "name (p1 p2)".
std::string ToNameFilter(const FileFilter& filter);
