// see DownloadHistory.h
#include "history/DownloadHistory.h"

#include "framework/AtomicFile.h"
#include "framework/LocalTime.h"
#include "framework/UserFolders.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>

namespace {

using Json = nlohmann::json;

// The record's form; a reader meets a newer form as no record rather than a wrong one.
constexpr int kRecordForm = 1;

// Each text field by its key: one list for writing and reading.
struct TextField {
    const char* key;
    std::string DownloadRecord::*member;
};
constexpr TextField kTextFields[] = {
    {"start", &DownloadRecord::start},
    {"end", &DownloadRecord::end},
    {"program", &DownloadRecord::program},
    {"programVersion", &DownloadRecord::programVersion},
    {"serial", &DownloadRecord::serial},
    {"model", &DownloadRecord::model},
    {"certVersion", &DownloadRecord::certVersion},
    {"readerVersion", &DownloadRecord::readerVersion},
    {"versionBefore", &DownloadRecord::versionBefore},
    {"versionAfter", &DownloadRecord::versionAfter},
    {"file", &DownloadRecord::fileName},
    {"fileSha256", &DownloadRecord::fileSha256},
    {"reason", &DownloadRecord::reason},
    {"shown", &DownloadRecord::shownText},
};

template <typename Number> bool TakeNumber(const Json& object, const char* key, Number& into) {
    const auto found = object.find(key);
    if (found == object.end() || !found->is_number_integer()) {
        return false;
    }
    into = found->get<Number>();
    return true;
}

// VAN=<network>_<serial>_<cert version>_<reader version>_<model>: the serial and
// the two versions; a text of another form (a boot loader's) leaves them empty.
void TakeReaderFields(std::string_view infoText, DownloadRecord& record) {
    constexpr std::string_view kPrefix = "VAN=";
    if (!infoText.starts_with(kPrefix)) {
        return;
    }
    std::string_view rest = infoText.substr(kPrefix.size());
    std::string_view parts[4];
    for (std::string_view& part : parts) {
        const std::size_t underscore = rest.find('_');
        if (underscore == std::string_view::npos) {
            return;
        }
        part = rest.substr(0, underscore);
        rest = rest.substr(underscore + 1);
    }
    record.serial = parts[1];
    record.certVersion = parts[2];
    record.readerVersion = parts[3];
}

} // namespace

DownloadRecord RecordOf(const std::string& program, const std::string& start,
                        const DownloadFacts& facts, Outcome outcome, const std::string& shownText) {
    DownloadRecord record;
    record.start = start;
    record.end = LocalTimeNow();
    record.program = program;
    record.programVersion = BRIMLET_VERSION;
    record.port = facts.port;
    TakeReaderFields(facts.infoText, record);
    record.model = facts.model;
    record.versionBefore = facts.versionBefore;
    record.versionAfter = facts.versionAfter;
    record.fileName = facts.fileName;
    record.fileSize = facts.fileSize;
    record.fileSha256 = facts.fileSha256;
    record.outcome = static_cast<int>(outcome);
    record.reason = ReasonName(outcome);
    record.shownText = shownText;
    record.elapsedMs = facts.elapsedMs;
    return record;
}

std::string RecordLine(const DownloadRecord& record) {
    Json object = {{"form", kRecordForm},
                   {"port", record.port},
                   {"fileSize", record.fileSize},
                   {"outcome", record.outcome},
                   {"elapsedMs", record.elapsedMs}};
    for (const TextField& field : kTextFields) {
        object[field.key] = record.*field.member;
    }
    // Texts from a reader or a file name may hold any byte: never a broken line.
    return object.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::optional<DownloadRecord> ParseRecordLine(std::string_view line) {
    const Json object = Json::parse(line, nullptr, false);
    int form = 0;
    if (!object.is_object() || !TakeNumber(object, "form", form) || form != kRecordForm) {
        return std::nullopt;
    }
    DownloadRecord record;
    if (!TakeNumber(object, "port", record.port) ||
        !TakeNumber(object, "fileSize", record.fileSize) ||
        !TakeNumber(object, "outcome", record.outcome) ||
        !TakeNumber(object, "elapsedMs", record.elapsedMs)) {
        return std::nullopt;
    }
    for (const TextField& field : kTextFields) {
        const auto found = object.find(field.key);
        if (found == object.end() || !found->is_string()) {
            return std::nullopt;
        }
        record.*field.member = found->get<std::string>();
    }
    return record;
}

std::vector<DownloadRecord> ParseHistory(std::string_view content) {
    std::vector<DownloadRecord> records;
    while (!content.empty()) {
        // A last line without its '\n' counts only when what it holds is whole.
        const std::size_t end = std::min(content.find('\n'), content.size());
        if (std::optional<DownloadRecord> record = ParseRecordLine(content.substr(0, end))) {
            records.push_back(std::move(*record));
        }
        content.remove_prefix(std::min(end + 1, content.size()));
    }
    return records;
}

std::string HistoryFilePath() {
    return (std::filesystem::path(UserLogFilePath()).parent_path() / "history.jsonl").string();
}

bool AppendToHistory(const std::string& path, const DownloadRecord& record) {
    return AppendLineDurably(path, RecordLine(record));
}

bool KeepInHistory(const DownloadRecord& record) {
    return AppendToHistory(HistoryFilePath(), record);
}
