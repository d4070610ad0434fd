#include "app/BrimletDlg.h"
#include "download/FailedStep.h"
#include "framework/Clock.h"
#include "readerlink/VexilonDll.h"

#include <cstdio>

namespace {

// The reader writes the image into its flash and restarts before it answers again.
constexpr DWORD kRestartWaitMs = 7000;
constexpr int kReconnectAttempts = 16;
constexpr DWORD kReconnectPauseMs = 500;
constexpr int kBaudRate = 115200;
constexpr int kCompareWithFileVersion = 2;

void ReportRestartSuccess(CBrimletDlg& window) {
    // Ticks wrap after 49.7 days; the difference is still right modulo 2^32.
    const auto elapsed = static_cast<std::int32_t>(GetTickCount() - window.downloadStartTicks);
    char line[48];
    std::snprintf(line, sizeof line, "Download OK(t:%d)", elapsed);
    window.AddLogLine(line);
    window.statusLine.SetWindowText("다운로드 성공");
    window.readerInfoLine.SetWindowText(window.ReadReaderInfo(window.reader.port));
}

} // namespace

bool CBrimletDlg::AwaitReaderRestart() {
    Sleep(kRestartWaitMs);
    for (int attempt = 0; attempt < kReconnectAttempts; ++attempt) {
        // The port stays open between attempts: reopening it finds a reader whose
        // USB link came back under the same name.
        if (VQ_InitPort(reader.port, kBaudRate) == reader.port) {
            const int version = QueryVersion(kCompareWithFileVersion);
            if (version == 0) {
                ReportRestartSuccess(*this);
                return true;
            }
            if (version < 0) {
                break; // another version than the file's: asking again cannot help
            }
        }
        Sleep(kReconnectPauseMs);
    }
    ClosePort();
    ReportFailedStep(*this, "버전 조회 실패");
    return false;
}
