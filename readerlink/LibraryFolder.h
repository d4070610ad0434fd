#pragma once

#include <filesystem>

namespace readerlink {

// The folder holding this library's own file (not the caller's working
// directory): its ports/ sub-folder maps COM numbers to devices.
std::filesystem::path LibraryFolder();

} // namespace readerlink
