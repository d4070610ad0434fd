#include "download/DownloadSequence.h"

#include <cstdio>

namespace {

// The reader writes the image into its flash and restarts before it answers again.
constexpr DWORD kRestartWaitMs = 7000;
constexpr int kReconnectAttempts = 16;
constexpr DWORD kReconnectPauseMs = 500;

} // namespace

bool DownloadSequence::AwaitReaderRestart() {
    reader.clock.SleepFor(kRestartWaitMs);
    for (int attempt = 0; attempt < kReconnectAttempts; ++attempt) {
        // Every attempt opens the port again (without closing it first): a reader whose
        // USB link re-enumerated during the restart is found under the same name.
        if (reader.OpenPortInUse()) {
            const VersionResult version = reader.QueryVersion(VersionQuery::AgainstFile);
            if (version == VersionResult::Valid) {
                // Ticks wrap after 49.7 days; the difference is still right modulo 2^32.
                const auto elapsed =
                    static_cast<std::int32_t>(reader.clock.TickCount() - downloadStartTicks);
                char line[48];
                std::snprintf(line, sizeof line, "Download OK(t:%d)", elapsed);
                reader.AddLogLine(line);
                view.SetStatus("다운로드 성공");
                view.SetReaderInfo(reader.ReadReaderInfo(reader.port));
                return true;
            }
            if (version == VersionResult::Differs) {
                break; // another version than the file's: asking again cannot help
            }
        }
        if (reader.portLost) {
            break; // its device is gone, 7000 ms after the finish: the cable, not a restart
        }
        reader.clock.SleepFor(kReconnectPauseMs);
    }
    if (reader.portLost) {
        ReportConnectionLost();
        return false;
    }
    reader.ClosePort();
    ReportFailedStep("버전 조회 실패");
    return false;
}
