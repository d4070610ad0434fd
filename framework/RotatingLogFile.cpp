#include "framework/LogFile.h"

#include <spdlog/logger.h>
#include <spdlog/sinks/rotating_file_sink.h>

namespace {

constexpr std::size_t kMaxFileBytes = 1024 * 1024;
constexpr std::size_t kOldFilesKept = 3;
// ISO 8601 with milliseconds and the local offset, so that records from machines in
// other time zones still line up.
constexpr const char* kLinePattern = "%Y-%m-%dT%H:%M:%S.%e%z %v";

std::string OneLine(const std::string& text) {
    std::string line;
    bool afterBreak = false;
    for (char c : text) {
        const bool isBreak = c == '\r' || c == '\n';
        if (!isBreak) {
            line += c;
        } else if (!afterBreak) {
            line += ' ';
        }
        afterBreak = isBreak;
    }
    return line;
}

class RotatingLogFile : public LogFile {
public:
    explicit RotatingLogFile(std::shared_ptr<spdlog::logger> logger) : logger_(std::move(logger)) {}

    void Write(const std::string& text) override {
        if (logger_) {
            logger_->info(OneLine(text));
        }
    }

private:
    std::shared_ptr<spdlog::logger> logger_;
};

} // namespace

std::unique_ptr<LogFile> OpenRotatingLogFile(const std::string& path) {
    // The _mt sink: the download worker and the user-interface thread both write.
    std::shared_ptr<spdlog::sinks::rotating_file_sink_mt> sink;
    try {
        sink = std::make_shared<spdlog::sinks::rotating_file_sink_mt>(path, kMaxFileBytes,
                                                                      kOldFilesKept);
    } catch (const spdlog::spdlog_ex&) {
        // No folder or no file: a writer without a logger drops every line.
        return std::make_unique<RotatingLogFile>(nullptr);
    }
    auto logger = std::make_shared<spdlog::logger>("brimlet", std::move(sink));
    logger->set_pattern(kLinePattern, spdlog::pattern_time_type::local);
    // A crash loses at most the line being written.
    logger->flush_on(spdlog::level::trace);
    // A full disk or a vanished folder later on: no message on the terminal either.
    logger->set_error_handler([](const std::string&) {});
    return std::make_unique<RotatingLogFile>(std::move(logger));
}
