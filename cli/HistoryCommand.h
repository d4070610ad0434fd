#pragma once

#include "cli/ExitCodes.h"
#include "cli/Words.h"

#include <ostream>
#include <string>

// What `brimlet-cli history` is asked for.
struct HistoryQuery {
    std::string serial;     // only this reader's records; empty: every reader
    std::string since;      // only records started at or after this local time text
    bool json = false;      // the records as stored, one JSON object per line
    std::string exportPath; // write them as CSV into this file instead of listing
};

// True for a --since value: a local date, or date and time, as the records write
// them ("2026-12-07", "2026-12-07T17:05").
bool IsTimeTextPrefix(const std::string& text);

// Lists the records of the history file at historyPath that match query, newest
// first, or exports them; in words' language. Problems go to errors.
ExitCode RunHistoryCommand(const HistoryQuery& query, const std::string& historyPath,
                           const Words& words, std::ostream& out, std::ostream& errors);
