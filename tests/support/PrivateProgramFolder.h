#pragma once

#include <filesystem>

// Set for the second run of a test program (PrivateFolderTestMain.cpp): the folder it
// runs in, holding the copy of the reader-link library this process loaded, so that
// its ports/COM<n> links belong to this run alone.
inline constexpr const char* kProgramFolderVariable = "BRIMLET_TEST_PROGRAM_FOLDER";
std::filesystem::path PrivateProgramFolder();
// The reader-link library file this process loaded; empty if it cannot be told.
std::filesystem::path LoadedVexilonFile();
