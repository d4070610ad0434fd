#pragma once

#include <optional>
#include <string>

// Whole-file reads, crash-safe replacement of small files (the settings file) and
// crash-safe appends to a record file shared by several programs (the history).

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

// Appends line (ending with '\n') to the file at path, making the file and its folder
// when missing: one write under an exclusive lock that waits for the other writers,
// then flushed to disk before the lock goes. A file that a crash left ending in the
// middle of a line first gets its own '\n', so that torn rest stands alone and
// never joins this line. False when any of it fails.
bool AppendLineDurably(const std::string& path, const std::string& line);
