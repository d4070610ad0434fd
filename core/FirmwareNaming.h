#pragma once

#include <optional>
#include <string>

// Where firmware files lie and how they are named:
// <program folder>/RIVI_OIL/MakeEncryptFW_RIVI_OIL-<model>-<version>.bin

// The firmware folder beside the program.
std::string FirmwareFolder(const std::string& programFolder);

// The wildcard file-name pattern for a model, "MakeEncryptFW_RIVI_OIL-<model>-*.bin".
// None when the model name, which comes from the reader, holds a path separator,
// "..", or a wildcard character: such a name could match other models' files or
// steer the search out of the firmware folder, so it matches nothing.
std::optional<std::string> FirmwareNamePattern(const std::string& modelName);

// Whether a file the pattern found is this model's: the part the wildcard matched is
// the version alone. A hyphen there means a longer model name ("RVQ-3000" would
// otherwise take "RVQ-3000-KR1"'s firmware), and another model's image must never
// reach a reader.
bool IsFirmwareFileOfModel(const std::string& fileName, const std::string& modelName);

// The version part of a firmware file's path: the text between its last "-" and its
// last "."; empty when the path has no "-" followed later by a ".".
std::string VersionFromFirmwarePath(const std::string& path);

// A file chosen by hand must be a RIVI firmware file: "RIVI" (in capitals) anywhere
// in its full path, folder names included.
bool IsRiviFirmwarePath(const std::string& path);
