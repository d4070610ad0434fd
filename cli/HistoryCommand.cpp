// see HistoryCommand.h
#include "cli/HistoryCommand.h"

#include "history/DownloadHistory.h"
#include "history/HistoryCsv.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

namespace {

// "2026-12-07T17:05:09.123+09:00": which characters are digits, which are fixed.
constexpr char kTimePattern[] = "dddd-dd-ddTdd:dd:dd.ddd";

bool Matches(const DownloadRecord& record, const HistoryQuery& query) {
    return (query.serial.empty() || record.serial == query.serial) &&
           record.start.compare(0, query.since.size(), query.since) >= 0;
}

std::string Versions(const DownloadRecord& record) {
    return (record.versionBefore.empty() ? "-" : record.versionBefore) + " -> " +
           (record.versionAfter.empty() ? "-" : record.versionAfter);
}

void List(const DownloadRecord& r, const Words& words, std::ostream& out) {
    out << r.start << "  " << r.reason << "  COM" << r.port << "  "
        << (r.serial.empty() ? "-" : r.serial) << "  " << (r.model.empty() ? "-" : r.model) << "  "
        << Versions(r) << "  " << r.fileName << " (" << r.fileSize << " " << words.bytes
        << ", SHA-256 " << r.fileSha256 << ")  " << r.elapsedMs << " ms  " << r.program << " "
        << r.programVersion << "\n";
}

} // namespace

bool IsTimeTextPrefix(const std::string& text) {
    if (text.size() < 10 || text.size() > sizeof kTimePattern - 1) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = std::isdigit(static_cast<unsigned char>(text[i])) != 0;
        if (kTimePattern[i] == 'd' ? !digit : text[i] != kTimePattern[i]) {
            return false;
        }
    }
    return true;
}

ExitCode RunHistoryCommand(const HistoryQuery& query, const std::string& historyPath,
                           const Words& words, std::ostream& out, std::ostream& errors) {
    std::ifstream file(historyPath, std::ios::binary);
    const std::string content{std::istreambuf_iterator<char>(file), {}};
    if (file.bad()) {
        errors << historyPath << words.cannotRead << "\n";
        return ExitCode::OtherFailure;
    }
    std::vector<DownloadRecord> records = ParseHistory(content);
    std::erase_if(records, [&](const DownloadRecord& r) { return !Matches(r, query); });
    // Appended as the downloads ended: the file's last record is the newest.
    std::reverse(records.begin(), records.end());

    if (!query.exportPath.empty()) {
        std::ofstream csv(query.exportPath, std::ios::binary | std::ios::trunc);
        csv << HistoryCsv(records);
        csv.close();
        if (!csv) {
            errors << query.exportPath << words.cannotWrite << "\n";
            return ExitCode::OtherFailure;
        }
        out << records.size() << words.exported << query.exportPath << "\n";
        return ExitCode::Success;
    }
    for (const DownloadRecord& record : records) {
        if (query.json) {
            out << RecordLine(record);
        } else {
            List(record, words, out);
        }
    }
    return ExitCode::Success;
}
