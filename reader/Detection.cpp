#include "reader/ReaderSession.h"

#include "reader/InfoTextRules.h"
#include "reader/ReaderText.h"
#include "readerlink/VexilonDll.h"

#include <string>
#include <vector>

namespace {

constexpr std::size_t kInfoAreaSize = 1024;
// Searched first: where the readers we serve usually sit.
constexpr int kFirstSearchedPort = 7;
constexpr int kLastSearchedPort = 100;

// Port 7 first, then 1 to 100 without 7 a second time.
std::vector<int> AutomaticSearchOrder() {
    std::vector<int> order = {kFirstSearchedPort};
    for (int port = 1; port <= kLastSearchedPort; ++port) {
        if (port != kFirstSearchedPort) {
            order.push_back(port);
        }
    }
    return order;
}

std::string PortLine(int port, const char* middle, const std::string& text) {
    return "COM" + std::to_string(port) + middle + text;
}

} // namespace

Outcome DetectionOutcome(ProbeResult found) {
    if (IsReaderFound(found)) {
        return Outcome::Succeeded;
    }
    return found == ProbeResult::Busy ? Outcome::PortInUse : Outcome::NoReader;
}

std::string ReaderSession::ReadReaderInfo(int onPort) {
    Answer answer = Ask(onPort, kInfoCommand, kInfoAreaSize);
    if (answer.received == 1) {
        answer = Ask(onPort, kQuery16Command, kInfoAreaSize);
    }
    return answer.result == 0 ? answer.text : FailedToReadText(answer.result);
}

ProbeResult ReaderSession::ProbePort(int onPort, const ReaderRequest& request) {
    const int opened = link.initPort(onPort, kReaderBaud);
    if (opened != onPort) {
        // Another program (or another copy of ours) drives whatever is there.
        if (opened == VQ_INIT_BUSY) {
            AddLogLine(PortLine(onPort, " => ", kPortInUseText));
            return ProbeResult::Busy;
        }
        return ProbeResult::Nothing;
    }
    const std::string info = ReadReaderInfo(onPort);
    if (info.starts_with("Failed")) {
        AddLogLine(PortLine(onPort, " => 장비 확인 실패(", info + ")"));
        link.closePort(onPort);
        return ProbeResult::Nothing;
    }
    readerInfo = info;

    if (IsDe635BootLoaderInfo(info)) {
        modelName = request.modelName;
        return ProbeResult::BootLoader;
    }
    if (IsBootLoaderInfo(info)) {
        const ProbeResult settled = SettleBootLoaderModel(request.modelName);
        if (settled != ProbeResult::BootLoader) {
            link.closePort(onPort);
        }
        return settled;
    }

    AddLogLine(PortLine(onPort, " => 장비 정보 : ", info));
    if (!IsRiviNetworkInfo(info)) {
        view.ShowNotice("이 프로그램은 vizuz 전용 프로그램입니다.");
        link.closePort(onPort);
        return ProbeResult::Refused;
    }
    modelName = ModelNameFromInfo(info);
    view.ShowModelName(modelName);
    return ProbeResult::Application;
}

// A boot loader does not know its model: the user types it and confirms it.
ProbeResult ReaderSession::SettleBootLoaderModel(const std::string& typed) {
    modelName = TrimmedModelName(typed);
    const std::string& name = modelName;
    if (name.empty()) {
        view.ShowMessage("프로그램 왼쪽 상단에 리더기 모델명 입력 후 다시 시도해주세요.");
        return ProbeResult::Refused;
    }
    if (name.size() != kModelNameLength) {
        view.ShowMessage("모델명 길이를 확인해주세요.(모델명 길이 : 12자리)\r\n입력된 모델명 :" +
                         name + "(길이:" + std::to_string(name.size()) + ")");
        return ProbeResult::Refused;
    }
    const std::string question = "다운로드할 리더기 모델명 : " + name +
                                 "\r\n모델명이 맞지 않으면 프로그램 왼쪽 상단에\r\n"
                                 "리더기 모델명 재입력 후 다시 시도해주세요.";
    return view.ConfirmModelName(question) ? ProbeResult::BootLoader : ProbeResult::Refused;
}

// Whatever earlier ports did, the reader found here is connected.
void ReaderSession::SettlePort(int found) {
    port = found;
    portLost = false;
}

ProbeResult ReaderSession::DetectReader(const ReaderRequest& request) {
    view.ClearLog();
    AddLogLine("장비 확인 중...");

    if (request.port) {
        const int typed = *request.port;
        const ProbeResult found = ProbePort(typed, request);
        if (!IsReaderFound(found)) {
            return found == ProbeResult::Busy ? found : ProbeResult::Nothing;
        }
        SettlePort(typed);
        return found;
    }

    // Nothing found but a port held elsewhere: the reader may well be behind it.
    ProbeResult missed = ProbeResult::Nothing;
    for (int candidate : AutomaticSearchOrder()) {
        const ProbeResult found = ProbePort(candidate, request);
        // A refused reader is the one the user meant: the search ends with it.
        if (found == ProbeResult::Refused) {
            return ProbeResult::Nothing;
        }
        if (IsReaderFound(found)) {
            SettlePort(candidate);
            return found;
        }
        if (found == ProbeResult::Busy) {
            missed = found;
        }
    }
    return missed;
}
