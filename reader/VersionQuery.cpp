#include "app/BrimletDlg.h"

#include "framework/Clock.h"
#include "reader/ReaderQuery.h"
#include "reader/VersionRules.h"
#include "readerlink/VexilonDll.h"

#include <span>
#include <string>

namespace {

constexpr std::size_t kVersionAreaSize = 2048;
// After a silent FF 97 the reader is given this long before the download goes on.
constexpr DWORD kSilentMsrWaitMs = 4000;

constexpr unsigned char kApplicationVersion[] = {0xFF, 0x04};
constexpr unsigned char kVersion16[] = {0x16};
constexpr unsigned char kMsrVersion[] = {0xFF, 0x97};

constexpr int kModeCompareWithFile = 2;
constexpr int kModeMsr = 4;

std::span<const unsigned char> CommandOfMode(int mode) {
    switch (mode) {
    case 0:
    case kModeCompareWithFile:
        return kApplicationVersion;
    case kModeMsr:
    case 5:
        return kMsrVersion;
    default:
        return kVersion16;
    }
}

} // namespace

std::int32_t CBrimletDlg::QueryVersion(int mode) {
    AddLogLine("FW 버전 확인 중...");

    const ReaderAnswer answer = AskReader(reader.port, CommandOfMode(mode), kVersionAreaSize);
    if (answer.result != 0) {
        if (mode != kModeMsr) {
            return answer.result;
        }
        if (answer.result == VQ_ERR_TIMEOUT) {
            Sleep(kSilentMsrWaitMs);
        }
        return 1;
    }

    const std::string& text = answer.text;
    if (!IsVersionText(text)) {
        return 1;
    }
    logList.AddString("Version : " + text);

    const std::optional<std::string> code = VersionCodeOf(text);
    if (mode == kModeCompareWithFile && code && *code != reader.fileVersion) {
        reader.versionMismatch = 1;
        const std::string notice = "FW 업그레이드가 실패 했거나 FW 파일의 버전이 잘못된 "
                                   "파일입니다.\r\n관리자에게 문의하세요.";
        ShowNotice(notice);
        AddLogLine(notice);
        return -1;
    }
    logList.SetCurSel(logList.GetCount() - 1);
    return 0;
}
