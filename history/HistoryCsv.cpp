// see HistoryCsv.h
#include "history/HistoryCsv.h"

#include <string_view>

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr char kHeader[] =
    "start,end,program,program_version,port,serial,model,cert_version,reader_version,"
    "version_before,version_after,file,file_size,file_sha256,outcome,reason,shown_text,"
    "elapsed_ms\r\n";

// A text from a reader or a file name that starts like a formula is kept a text: a
// spreadsheet would otherwise run it.
std::string Field(std::string_view text) {
    std::string field;
    if (!text.empty() &&
        std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos) {
        field = "'";
    }
    field += text;
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        return field;
    }
    std::string quoted = "\"";
    for (char c : field) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

} // namespace

std::string HistoryCsv(const std::vector<DownloadRecord>& records) {
    std::string csv = std::string(kByteOrderMark) + kHeader;
    for (const DownloadRecord& r : records) {
        const std::string fields[] = {Field(r.start),
                                      Field(r.end),
                                      Field(r.program),
                                      Field(r.programVersion),
                                      std::to_string(r.port),
                                      Field(r.serial),
                                      Field(r.model),
                                      Field(r.certVersion),
                                      Field(r.readerVersion),
                                      Field(r.versionBefore),
                                      Field(r.versionAfter),
                                      Field(r.fileName),
                                      std::to_string(r.fileSize),
                                      Field(r.fileSha256),
                                      std::to_string(r.outcome),
                                      Field(r.reason),
                                      Field(r.shownText),
                                      std::to_string(r.elapsedMs)};
        for (const std::string& field : fields) {
            csv += field;
            csv += ',';
        }
        csv.back() = '\r';
        csv += '\n';
    }
    return csv;
}
