#pragma once

#include <filesystem>

// Set for the second run of a test program: the folder it runs in.
inline constexpr const char* kProgramFolderVariable = "BRIMLET_TEST_PROGRAM_FOLDER";

// The program folder of this test run: a fresh folder holding the copy of the
// reader-link library this process loaded, so that its ports/COM<n> links belong
// to this run alone. Empty outside such a run.
std::filesystem::path PrivateProgramFolder();

// The reader-link library file this process loaded; empty if it cannot be told.
std::filesystem::path LoadedVexilonFile();

// Links COM1 to COM100 that have no reader to a device that is gone, as when a
// reader is unplugged: the library then fails to open them at once instead of
// falling back to the machine's own serial ports. Links of readers are kept.
void UnplugIdlePorts(const std::filesystem::path& programFolder);
