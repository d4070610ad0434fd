#include "reader/ReaderSession.h"

#include "reader/DecimalText.h"
#include "reader/ReaderText.h"

#include <cstdio>
#include <string>

namespace {

constexpr std::size_t kAreaSize = 1024;

} // namespace

void ReaderSession::ShowReaderInfo() {
    const ProbeResult found = DetectReader();
    if (!IsReaderFound(found)) {
        view.SetStatus("다운로드 실패");
        AddLogLine("연결된 보안 리더기가 없습니다.");
        AddLogLine("보안 리더기가 연결되어 있으면 다른 프로그램에서 사용 중인지 확인해주세요.");
        return;
    }

    // The boot loader's text was read during detection; it is not asked twice.
    std::string info = readerInfo;
    if (found == ProbeResult::Application) {
        // No second try with 16 here, unlike detection.
        const Answer answer = Ask(port, kInfoCommand, kAreaSize);
        info = answer.result == 0 ? answer.text : FailedToReadText(answer.result);
    }
    view.SetReaderInfo(info);
    ClosePort();
}

void ReaderSession::ShowVersion() {
    if (QueryVersion(VersionQuery::Application) != VersionResult::Valid) {
        QueryVersion(VersionQuery::Reader16);
    }
}

// The debug-level lines are added without scrolling the list to them.
void ReaderSession::SetDebugLevel() {
    const std::int32_t level = DecimalTextValue(view.TypedDebugLevel());
    char line[32];
    std::snprintf(line, sizeof line, ">=[FF98%02X]", static_cast<unsigned>(level));
    AppendLogLine(line);

    const unsigned char command[] = {kDebugLevelCommand[0], kDebugLevelCommand[1],
                                     static_cast<unsigned char>(level & 0xFF)};
    const int result = Ask(port, command, kAreaSize).result;
    AppendLogLine(result == 0 ? "00" : FailedToReadText(result));
}
