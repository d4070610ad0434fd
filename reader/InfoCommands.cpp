#include "app/BrimletDlg.h"

#include "app/DownloadBusy.h"
#include "framework/WaitCursor.h"
#include "reader/DecimalText.h"
#include "reader/ReaderQuery.h"
#include "reader/ReaderText.h"
#include "resources/ResourceIds.h"

#include <cstdio>
#include <string>

namespace {

constexpr std::size_t kAreaSize = 1024;
constexpr int kFoundApplication = 2;
constexpr int kFoundBootLoader = 3;

} // namespace

void CBrimletDlg::OnReaderInfoButton() {
    CWaitCursor waitCursor;
    if (downloadBusy == 1) {
        return;
    }
    const int found = DetectReader();
    if (found != kFoundApplication && found != kFoundBootLoader) {
        statusLine.SetWindowText("다운로드 실패");
        AddLogLine("연결된 보안 리더기가 없습니다.");
        AddLogLine("보안 리더기가 연결되어 있으면 다른 프로그램에서 사용 중인지 확인해주세요.");
        return;
    }

    // The boot loader's text was read during detection; it is not asked twice.
    std::string info = reader.readerInfo;
    if (found == kFoundApplication) {
        // No second try with 16 here, unlike detection.
        static constexpr unsigned char kInfoCommand[] = {0xFF, 0x0C};
        const ReaderAnswer answer = AskReader(reader.port, kInfoCommand, kAreaSize);
        info = answer.result == 0 ? answer.text : FailedToReadText(answer.result);
    }
    readerInfoLine.SetWindowText(info);
    ClosePort();
}

void CBrimletDlg::OnVersionButton() {
    if (QueryVersion(0) != 0) {
        QueryVersion(1);
    }
}

// The debug-level lines are added without scrolling the list to them.
void CBrimletDlg::OnDebugLevelButton() {
    const std::int32_t level = DecimalTextValue(GetDlgItem(IDC_DEBUG_LEVEL_FIELD)->GetWindowText());
    char line[32];
    std::snprintf(line, sizeof line, ">=[FF98%02X]", static_cast<unsigned>(level));
    logList.AddString(line);

    const unsigned char command[] = {0xFF, 0x98, static_cast<unsigned char>(level & 0xFF)};
    const int result = AskReader(reader.port, command, kAreaSize).result;
    logList.AddString(result == 0 ? "00" : FailedToReadText(result));
}
