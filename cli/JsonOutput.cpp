// see JsonOutput.h
#include "cli/JsonOutput.h"

#include <nlohmann/json.hpp>

namespace {

void WriteLine(std::ostream& out, const nlohmann::json& object) {
    // Bytes that are not UTF-8 (a reader's text can hold any) are replaced, not fatal.
    out << object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << std::endl;
}

// The event names scripts see: fixed whatever the language.
const char* EventName(Shown kind) {
    switch (kind) {
    case Shown::Notice:
        return "notice";
    case Shown::Message:
        return "message";
    case Shown::Question:
        return "question";
    case Shown::Status:
        return "status";
    case Shown::ReaderInfo:
        return "reader-info";
    case Shown::Warning:
        return "warning";
    case Shown::Fault:
        return "fault";
    }
    return "shown";
}

} // namespace

void JsonOutput::WriteLog(const std::string& line) {
    WriteLine(out, {{"event", "log"}, {"text", line}});
}

void JsonOutput::WriteShown(Shown kind, const std::string& text) {
    WriteLine(out, {{"event", EventName(kind)}, {"text", text}});
}

void JsonOutput::WriteProgress(std::int64_t sent, std::int64_t total) {
    WriteLine(out, {{"event", "progress"}, {"sent", sent}, {"total", total}});
}

void JsonOutput::WritePort(const PortEntry& port) {
    WriteLine(out, {{"event", "port"},
                    {"com", port.com},
                    {"device", port.device},
                    {"maker", port.maker},
                    {"product", port.product}});
}

void JsonOutput::WriteResult(const RunResult& result) {
    nlohmann::json object = {{"event", "result"},
                             {"exit", ToInt(ExitCodeFor(result.outcome))},
                             {"reason", ReasonName(result.outcome)},
                             {"status", result.status},
                             {"notice", result.notice}};
    if (result.info) {
        object["info"] = *result.info;
    }
    if (result.version) {
        object["version"] = *result.version;
    }
    WriteLine(out, object);
}
