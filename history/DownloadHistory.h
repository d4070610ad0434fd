#pragma once

#include "download/DownloadFacts.h"
#include "reader/Outcome.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One download attempt as support asks about it weeks later: which reader, which
// file, what came of it. Never the download key nor anything derived from it.
struct DownloadRecord {
    std::string start; // local time with milliseconds and offset
    std::string end;
    std::string program; // "brimlet" (the window) or "brimlet-cli"
    std::string programVersion;
    int port = 0; // COM number; 0 when no reader was found
    // As the reader's information text gave them; empty when no reader was found.
    std::string serial;
    std::string model;
    std::string certVersion;
    std::string readerVersion;
    std::string versionBefore; // as read before the transfer
    std::string versionAfter;  // as read after the restart
    std::string fileName;
    std::int64_t fileSize = 0;
    std::string fileSha256; // lower-case hexadecimal, as sha256sum prints it
    int outcome = 0;        // the outcome value
    std::string reason;     // its stable name
    std::string shownText;  // what the technician was told
    std::int64_t elapsedMs = 0;

    bool operator==(const DownloadRecord&) const = default;
};

// The record of a download attempt by program that began at start (local time)
// and ends now. The reader's serial, certification and reader versions come from
// its information text; a boot loader's text has none of them.
DownloadRecord RecordOf(const std::string& program, const std::string& start,
                        const DownloadFacts& facts, Outcome outcome, const std::string& shownText);

// One line of the history file: a JSON object, then '\n'.
std::string RecordLine(const DownloadRecord& record);
// The record a line holds; none for a line a crash cut short, or anything else that
// is not a whole record of this form.
std::optional<DownloadRecord> ParseRecordLine(std::string_view line);
// Every whole record of a history file's content, in the file's order.
std::vector<DownloadRecord> ParseHistory(std::string_view content);

// The history file, beside the log file in the user's state folder.
std::string HistoryFilePath();
// Appends record to the file at path for good (AppendLineDurably); false when the
// file cannot be written.
bool AppendToHistory(const std::string& path, const DownloadRecord& record);
// AppendToHistory into HistoryFilePath.
bool KeepInHistory(const DownloadRecord& record);
