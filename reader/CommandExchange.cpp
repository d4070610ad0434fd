#include "reader/ReaderSession.h"

#include "reader/ProtocolTimings.h"
#include "reader/ReaderText.h"
#include "reader/ResponseRule.h"
#include "readerlink/VexilonDll.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

// An answer that stores nothing keeps this code and is therefore refused.
constexpr unsigned char kNoResponseYet = 0xFF;

} // namespace

ReaderSession::ReaderSession(ReaderLink link, ReaderView& view, Clock& clock)
    : clock(clock), link(std::move(link)), view(view) {
    static_assert(sizeof rxBuffer >= VQ_RECEIVE_CAPACITY,
                  "the library may store up to VQ_RECEIVE_CAPACITY response bytes");
}

int ReaderSession::SendCommand(unsigned char code, const unsigned char* data, int dataLength) {
    if (dataLength < 0 || dataLength > kMaxCommandDataLength ||
        (dataLength > 0 && data == nullptr)) {
        return kSendCommandRefused;
    }
    std::vector<unsigned char> sendArea(static_cast<std::size_t>(dataLength) + 1);
    sendArea[0] = code;
    std::copy_n(data, dataLength, sendArea.begin() + 1);

    const int result = Noted(link.polling(port, dataLength + 1, sendArea.data(), &rxLength,
                                          rxBuffer, TimeoutArgument(kCommandTimeout)));
    if (result != VQ_OK) {
        char line[64];
        std::snprintf(line, sizeof line, "RECV ERR:%d [CMD:%02X]", result, code);
        AddLogLine(line);
    }
    return result;
}

int ReaderSession::Exchange(const unsigned char* request, int requestLength,
                            unsigned char* response, int& responseLength,
                            std::chrono::milliseconds timeout) {
    return Noted(link.polling(port, requestLength, request, &responseLength, response,
                              TimeoutArgument(timeout)));
}

int ReaderSession::Noted(int result) {
    if (result == VQ_ERR_PORT_LOST) {
        portLost = true;
    }
    return result;
}

bool ReaderSession::SendAccepted(unsigned char code, const unsigned char* data, int dataLength) {
    rxBuffer[0] = kNoResponseYet;
    SendCommand(code, data, dataLength);
    return IsAcceptedResponse(rxBuffer, rxLength);
}

void ReaderSession::AddLogLine(const std::string& line) {
    view.AppendLogLine(line);
    view.SelectLastLogLine();
}

void ReaderSession::AppendLogLine(const std::string& line) {
    view.AppendLogLine(line);
}

bool ReaderSession::OpenPortByHand(int chosen) {
    port = chosen;
    portOpenedByHand = link.initPort(chosen, kReaderBaud) == chosen;
    return portOpenedByHand;
}

bool ReaderSession::OpenPortInUse() {
    const int result = link.initPort(port, kReaderBaud);
    if (result == VQ_INIT_NO_DEVICE) {
        portLost = true;
    }
    if (result == port) {
        portLost = false; // its device is there (again)
    }
    return result == port;
}

bool ReaderSession::ReopenPort() {
    link.closePort(port);
    portOpenedByHand = false;
    return OpenPortInUse();
}

void ReaderSession::ClosePort() {
    link.closePort(port);
    port = 0;
    portOpenedByHand = false;
    view.PortClosed();
}

ReaderSession::Answer ReaderSession::Ask(int onPort, std::span<const unsigned char> command,
                                         std::size_t areaSize) {
    // Never smaller than what the library may store, whatever the caller asks for.
    std::vector<unsigned char> area(std::max<std::size_t>(areaSize, VQ_RECEIVE_CAPACITY), 0);
    Answer answer;
    answer.result =
        Noted(link.polling(onPort, static_cast<int>(command.size()), command.data(),
                           &answer.received, area.data(), TimeoutArgument(kAnswerTimeout)));
    answer.text = TextAfterResponseCode(area.data(), area.size());
    return answer;
}
