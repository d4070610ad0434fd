// see JsonOutput.h
#include "cli/JsonOutput.h"

#include <nlohmann/json.hpp>

namespace {

void WriteLine(std::ostream& out, const nlohmann::json& object) {
    // Bytes that are not UTF-8 (a reader's text can hold any) are replaced, not fatal.
    out << object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << std::endl;
}

} // namespace

void JsonOutput::WriteLog(const std::string& line) {
    WriteLine(out, {{"event", "log"}, {"text", line}});
}

void JsonOutput::WriteShown(const std::string& kind, const std::string& text) {
    WriteLine(out, {{"event", kind}, {"text", text}});
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
    for (const auto& [key, value] : result.found) {
        object[key] = value;
    }
    WriteLine(out, object);
}
