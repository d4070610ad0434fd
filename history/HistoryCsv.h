#pragma once

#include "history/DownloadHistory.h"

#include <string>
#include <vector>

// The records as a spreadsheet opens them: UTF-8 with a byte-order mark (so that a
// spreadsheet on Windows shows the Korean texts), a header row, CRLF line ends, and
// every field quoted as RFC 4180 asks where it must be.
std::string HistoryCsv(const std::vector<DownloadRecord>& records);
