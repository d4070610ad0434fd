#include "reader/ReaderSession.h"

#include "reader/DecimalText.h"
#include "reader/ReaderText.h"

#include <cstdio>
#include <string>

namespace {

constexpr std::size_t kAreaSize = 1024;

} // namespace

Outcome ReaderSession::ShowReaderInfo(const ReaderRequest& request) {
    const ProbeResult found = DetectReader(request);
    if (!IsReaderFound(found)) {
        view.SetStatus("다운로드 실패");
        AddLogLine("연결된 보안 리더기가 없습니다.");
        AddLogLine("보안 리더기가 연결되어 있으면 다른 프로그램에서 사용 중인지 확인해주세요.");
        return DetectionOutcome(found);
    }

    // The boot loader's text was read during detection; it is not asked twice.
    std::string info = readerInfo;
    bool read = true;
    if (found == ProbeResult::Application) {
        // No second try with 16 here, unlike detection.
        const Answer answer = Ask(port, kInfoCommand, kAreaSize);
        read = answer.result == 0;
        info = read ? answer.text : FailedToReadText(answer.result);
    }
    view.SetReaderInfo(info);
    ClosePort();
    return read ? Outcome::Succeeded : Outcome::VersionUnread;
}

Outcome ReaderSession::ShowVersion() {
    if (QueryVersion(VersionQuery::Application) == VersionResult::Valid ||
        QueryVersion(VersionQuery::Reader16) == VersionResult::Valid) {
        return Outcome::Succeeded;
    }
    return Outcome::VersionUnread;
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
