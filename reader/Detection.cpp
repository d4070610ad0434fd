#include "app/BrimletDlg.h"

#include "framework/MessageBox.h"
#include "reader/DecimalText.h"
#include "reader/InfoTextRules.h"
#include "reader/ReaderQuery.h"
#include "reader/ReaderText.h"
#include "readerlink/VexilonDll.h"

#include <string>
#include <vector>

namespace {

constexpr int kDetectionBaud = 115200;
constexpr std::size_t kInfoAreaSize = 1024;
// Searched first: where the readers we serve usually sit.
constexpr int kFirstSearchedPort = 7;
constexpr int kLastSearchedPort = 100;

constexpr unsigned char kInfoCommand[] = {0xFF, 0x0C};
// Asked when FF 0C brought only the response code.
constexpr unsigned char kInfoAgainCommand[] = {0x16};

constexpr int kProbeNothing = 0;
constexpr int kProbeRefused = 1;
constexpr int kProbeApplication = 2;
constexpr int kProbeBootLoader = 3;

bool IsReaderFound(int probe) {
    return probe == kProbeApplication || probe == kProbeBootLoader;
}

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

std::string CBrimletDlg::ReadReaderInfo(int port) {
    ReaderAnswer answer = AskReader(port, kInfoCommand, kInfoAreaSize);
    if (answer.received == 1) {
        answer = AskReader(port, kInfoAgainCommand, kInfoAreaSize);
    }
    return answer.result == 0 ? answer.text : FailedToReadText(answer.result);
}

int CBrimletDlg::ProbePort(int port) {
    if (VQ_InitPort(port, kDetectionBaud) != port) {
        return kProbeNothing;
    }
    const std::string info = ReadReaderInfo(port);
    if (info.starts_with("Failed")) {
        AddLogLine(PortLine(port, " => 장비 확인 실패(", info + ")"));
        VQ_ClosePort(port);
        return kProbeNothing;
    }
    reader.readerInfo = info;

    if (IsDe635BootLoaderInfo(info)) {
        reader.modelName = modelNameField.GetWindowText();
        return kProbeBootLoader;
    }
    if (IsBootLoaderInfo(info)) {
        reader.modelName = TrimmedModelName(modelNameField.GetWindowText());
        const std::string& name = reader.modelName;
        if (name.empty()) {
            AfxMessageBox("프로그램 왼쪽 상단에 리더기 모델명 입력 후 다시 시도해주세요.");
        } else if (name.size() != kModelNameLength) {
            AfxMessageBox("모델명 길이를 확인해주세요.(모델명 길이 : 12자리)\r\n입력된 모델명 :" +
                          name + "(길이:" + std::to_string(name.size()) + ")");
        } else {
            const std::string question = "다운로드할 리더기 모델명 : " + name +
                                         "\r\n모델명이 맞지 않으면 프로그램 왼쪽 상단에\r\n"
                                         "리더기 모델명 재입력 후 다시 시도해주세요.";
            if (MessageBox(question.c_str(), "리더기명 확인", MB_OKCANCEL | MB_ICONEXCLAMATION) ==
                IDOK) {
                return kProbeBootLoader;
            }
        }
        VQ_ClosePort(port);
        return kProbeRefused;
    }

    AddLogLine(PortLine(port, " => 장비 정보 : ", info));
    if (!IsRiviNetworkInfo(info)) {
        ShowNotice("이 프로그램은 vizuz 전용 프로그램입니다.");
        VQ_ClosePort(port);
        return kProbeRefused;
    }
    reader.modelName = ModelNameFromInfo(info);
    modelNameField.SetWindowText(reader.modelName);
    return kProbeApplication;
}

int CBrimletDlg::DetectReader() {
    logList.ResetContent();
    AddLogLine("장비 확인 중...");

    if (reader.autoPortSearch == 0) {
        const int port = DecimalTextValue(portNumberField.GetWindowText());
        const int found = ProbePort(port);
        if (!IsReaderFound(found)) {
            return kProbeNothing;
        }
        reader.port = port;
        return found;
    }

    for (int port : AutomaticSearchOrder()) {
        const int found = ProbePort(port);
        // A refused reader is the one the user meant: the search ends with it.
        if (found == kProbeRefused) {
            return kProbeNothing;
        }
        if (IsReaderFound(found)) {
            reader.port = port;
            return found;
        }
    }
    return kProbeNothing;
}
