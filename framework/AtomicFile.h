#pragma once

#include <optional>
#include <string>

// Whole-file reads and crash-safe replacement of small files (the settings file).

enum class FileReadStatus { Ok, Missing, Failed };

struct FileContent {
    FileReadStatus status;
    std::string bytes;
};

// Missing: no such file. Failed: it exists but is not a readable regular file.
FileContent ReadWholeFile(const std::string& path);

// The two halves of a replacement, apart so that a crash between them can be tested.
// WriteTemporaryBeside writes content to a new file in the folder of path and
// flushes it to disk; it returns the new file's path. CommitReplacement renames it
// over path and flushes the folder, so path names either the old or the new bytes.
std::optional<std::string> WriteTemporaryBeside(const std::string& path,
                                                const std::string& content);
bool CommitReplacement(const std::string& temporaryPath, const std::string& path);

// Both halves; on failure the temporary file is removed and path is untouched.
bool ReplaceFileAtomically(const std::string& path, const std::string& content);
