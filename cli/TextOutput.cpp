// see TextOutput.h
#include "cli/TextOutput.h"

#include <cstdio>
#include <string_view>

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

void TextOutput::WriteShown(const std::string& kind, const std::string& text) {
    if (kind == "status") {
        return; // the last one is the result's
    }
    const std::string_view label = kind == "reader-info" ? "리더기 정보: "
                                   : kind == "warning"   ? "경고: "
                                   : kind == "fault"     ? "오류: "
                                   : kind == "question"  ? "확인: "
                                                         : "알림: ";
    WriteLine(std::string(label).append(WithoutCarriageReturns(text)));
}

std::string TextOutput::Bar() const {
    const double done = total > 0 ? static_cast<double>(sent) / static_cast<double>(total) : 0.0;
    const int filled = static_cast<int>(done * kBarWidth);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const double speed = seconds > 0 ? static_cast<double>(sent) / seconds : 0.0;
    const int left = speed > 0 ? static_cast<int>(static_cast<double>(total - sent) / speed) : 0;
    char tail[96];
    std::snprintf(tail, sizeof tail, "] %s/%s KiB  %s KiB/s  %d:%02d left", KiB(sent).c_str(),
                  KiB(total).c_str(), KiB(static_cast<std::int64_t>(speed)).c_str(), left / 60,
                  left % 60);
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
        out << "전송: " << sent << "/" << total << " bytes (" << tenths * 10 << "%)\n"
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
        WriteLine(std::string("상태: ").append(result.status));
    }
    if (!result.notice.empty()) {
        WriteLine(std::string("알림: ").append(WithoutCarriageReturns(result.notice)));
    }
    for (const auto& [key, value] : result.found) {
        WriteLine(std::string(key).append(": ").append(value));
    }
    const ExitCode code = ExitCodeFor(result.outcome);
    for (const ExitCodeMeaning& meaning : ExitCodeMeanings()) {
        if (meaning.code == code) {
            WriteLine(std::string("종료 코드 ")
                          .append(std::to_string(ToInt(code)))
                          .append(": ")
                          .append(meaning.meaning));
        }
    }
}
