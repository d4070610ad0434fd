#pragma once

#include <filesystem>

// The folder of the reader-link library this test program loaded: the library
// looks for its ports/COM<n> links there, so a fake reader is linked there too.
std::filesystem::path LoadedLibraryFolder();
