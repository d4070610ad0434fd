// see TextOutput.h
#include "cli/TextOutput.h"

#include <cstdio>

namespace {

constexpr int kBarWidth = 30;
constexpr char kClearLine[] = "\r\033[K";

// Notices keep the window's "\r\n": a terminal wants "\n" alone.
std::string WithoutCarriageReturns(std::string text) {
    std::erase(text, '\r');
    return text;
}

std::string KiB(std::int64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(bytes) / 1024.0);
    return text;
}

} // namespace

void TextOutput::WriteLine(const std::string& text) {
    if (barDrawn) {
        out << kClearLine;
    }
    out << text << '\n';
    if (barDrawn) {
        out << Bar();
    }
    out.flush();
}

void TextOutput::WriteLog(const std::string& line) {
    WriteLine(line);
}

const char* TextOutput::LabelOf(Shown kind) const {
    switch (kind) {
    case Shown::ReaderInfo:
        return words.readerInfo;
    case Shown::Warning:
        return words.warning;
    case Shown::Fault:
        return words.fault;
    case Shown::Question:
        return words.question;
    case Shown::Status:
        return words.status;
    case Shown::Notice:
    case Shown::Message:
        break;
    }
    return words.notice;
}

void TextOutput::WriteShown(Shown kind, const std::string& text) {
    if (kind == Shown::Status) {
        return; // the last one is the result's
    }
    WriteLine(std::string(LabelOf(kind)).append(WithoutCarriageReturns(text)));
}

std::string TextOutput::Bar() const {
    const double done = total > 0 ? static_cast<double>(sent) / static_cast<double>(total) : 0.0;
    const int filled = static_cast<int>(done * kBarWidth);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const double speed = seconds > 0 ? static_cast<double>(sent) / seconds : 0.0;
    const int left = speed > 0 ? static_cast<int>(static_cast<double>(total - sent) / speed) : 0;
    char tail[96];
    std::snprintf(tail, sizeof tail, "] %s/%s KiB  %s KiB/s  %d:%02d %s", KiB(sent).c_str(),
                  KiB(total).c_str(), KiB(static_cast<std::int64_t>(speed)).c_str(), left / 60,
                  left % 60, words.timeLeft);
    return std::string("[")
        .append(static_cast<std::size_t>(filled), '#')
        .append(static_cast<std::size_t>(kBarWidth - filled), '-')
        .append(tail);
}

void TextOutput::WriteProgress(std::int64_t nowSent, std::int64_t nowTotal) {
    // The range comes with 0 sent (SetProgressRange): the speed counts from there.
    if (nowSent == 0) {
        started = std::chrono::steady_clock::now();
    }
    sent = nowSent;
    total = nowTotal;
    if (terminal) {
        out << kClearLine << Bar() << std::flush;
        barDrawn = true;
        return;
    }
    const int tenths = total > 0 ? static_cast<int>(sent * 10 / total) : 10;
    if (tenths > tenthsWritten) {
        tenthsWritten = tenths;
        out << words.sent << sent << "/" << total << " bytes (" << tenths * 10 << "%)\n"
            << std::flush;
    }
}

void TextOutput::WritePort(const PortEntry& port) {
    std::string line = std::string("COM").append(std::to_string(port.com)).append("  ");
    line += port.device;
    if (!port.maker.empty() || !port.product.empty()) {
        line.append("  ").append(port.maker).append(" ").append(port.product);
    }
    WriteLine(line);
}

void TextOutput::WriteResult(const RunResult& result) {
    if (barDrawn) {
        out << '\n';
        barDrawn = false;
    }
    if (!result.status.empty()) {
        WriteLine(std::string(words.status).append(result.status));
    }
    if (!result.notice.empty() && !result.noticeShown) {
        WriteLine(std::string(words.notice).append(WithoutCarriageReturns(result.notice)));
    }
    // The information text was written as it came (reader-info), once.
    if (result.version) {
        WriteLine(std::string(words.version).append(*result.version));
    }
    const ExitCode code = ExitCodeFor(result.outcome);
    WriteLine(std::string(words.exitCode)
                  .append(std::to_string(ToInt(code)))
                  .append(": ")
                  .append(ClosingMeaning(words, subcommand, code)));
}
