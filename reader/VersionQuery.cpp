#include "reader/ReaderSession.h"

#include "reader/ProtocolTimings.h"
#include "reader/VersionRules.h"
#include "readerlink/VexilonDll.h"

#include <span>
#include <string>

namespace {

constexpr std::size_t kVersionAreaSize = 2048;

std::span<const unsigned char> CommandOf(VersionQuery query) {
    switch (query) {
    case VersionQuery::Application:
    case VersionQuery::AgainstFile:
        return kApplicationVersionCommand;
    case VersionQuery::MsrCheck:
    case VersionQuery::MsrCheckLinkOk:
        return kMsrStateCommand;
    case VersionQuery::Reader16:
        break;
    }
    return kQuery16Command;
}

} // namespace

VersionResult ReaderSession::QueryVersion(VersionQuery query, std::string_view fileVersion) {
    AddLogLine("FW 버전 확인 중...");

    const Answer answer = Ask(port, CommandOf(query), kVersionAreaSize);
    if (answer.result != VQ_OK) {
        if (query != VersionQuery::MsrCheck) {
            return VersionResult::LinkError;
        }
        if (answer.result == VQ_ERR_TIMEOUT) {
            Wait(clock, kSilentMsrWait);
        }
        return VersionResult::NotValid;
    }

    const std::string& text = answer.text;
    if (!IsVersionText(text)) {
        return VersionResult::NotValid;
    }
    versionText = text;
    AppendLogLine("Version : " + text);

    const std::optional<std::string> code = VersionCodeOf(text);
    if (query == VersionQuery::AgainstFile && code) {
        versionMismatch = *code != fileVersion;
        if (versionMismatch) {
            const std::string notice = "FW 업그레이드가 실패 했거나 FW 파일의 버전이 잘못된 "
                                       "파일입니다.\r\n관리자에게 문의하세요.";
            view.ShowNotice(notice);
            AddLogLine(notice);
            return VersionResult::Differs;
        }
    }
    view.SelectLastLogLine();
    return VersionResult::Valid;
}
