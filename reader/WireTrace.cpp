// see WireTrace.h
#include "reader/WireTrace.h"

#include "framework/Clock.h"
#include "reader/ReaderConstants.h"
#include "readerlink/VexilonDll.h"
#include "security/AuthenticationFrame.h"
#include "security/Hex.h"

#include <algorithm>
#include <span>
#include <string>
#include <utility>

namespace {

// Each FF 09 step answers with sealed blocks after its response code, except the
// last, whose one byte after the code is the reader's verdict.
constexpr unsigned char kLastAuthStep = 3;

bool StartsWith(std::span<const unsigned char> bytes, std::span<const unsigned char> head) {
    return bytes.size() >= head.size() && std::equal(head.begin(), head.end(), bytes.begin());
}

bool IsAuthRequest(std::span<const unsigned char> request) {
    const unsigned char head[] = {authCommandCode, authCommandSubcode};
    return request.size() >= authRequestHeaderLength && StartsWith(request, head);
}

// How many leading bytes of a request may be shown; the rest carries key material.
std::size_t RequestShown(std::span<const unsigned char> request) {
    if (StartsWith(request, kStoreKeyCommand)) {
        return std::size(kStoreKeyCommand);
    }
    if (!request.empty() && (request[0] == kHandOverKeyCode || request[0] == kKeyProofCode)) {
        return 1;
    }
    if (IsAuthRequest(request)) {
        return authRequestHeaderLength;
    }
    return request.size();
}

std::size_t ResponseShown(std::span<const unsigned char> request,
                          std::span<const unsigned char> response) {
    if (IsAuthRequest(request) && request[2] != kLastAuthStep) {
        return std::min<std::size_t>(response.size(), authResponseHeaderLength);
    }
    return response.size();
}

std::string MaskedHex(std::span<const unsigned char> bytes, std::size_t shown) {
    std::string text;
    for (std::size_t i = 0; i < std::min(shown, bytes.size()); ++i) {
        text.append(BytesToHex(&bytes[i], 1)).append(" ");
    }
    if (shown < bytes.size()) {
        text.append("[").append(std::to_string(bytes.size() - shown)).append(" bytes masked] ");
    }
    return text;
}

std::string PortName(int port) {
    return "trace COM" + std::to_string(port) + " ";
}

std::string Outcome(int result, DWORD startTicks) {
    return "(result " + std::to_string(result) + ", " +
           std::to_string(GetTickCount() - startTicks) + " ms)";
}

} // namespace

ReaderLink TracedReaderLink(ReaderLink link, LogFile& file) {
    ReaderLink traced;
    traced.initPort = [initPort = link.initPort, &file](int port, int baud) {
        const DWORD start = GetTickCount();
        const int result = initPort(port, baud);
        file.Write(PortName(port) + "open " + std::to_string(baud) + ": " + Outcome(result, start));
        return result;
    };
    traced.polling = [polling = link.polling,
                      &file](int port, int sendLength, const unsigned char* sendData,
                             int* receiveLength, unsigned char* receiveData, int timeoutMs) {
        const std::span<const unsigned char> request(
            sendData, sendData != nullptr ? static_cast<std::size_t>(std::max(sendLength, 0)) : 0);
        file.Write(PortName(port) + "> " + MaskedHex(request, RequestShown(request)) + "(" +
                   std::to_string(timeoutMs) + " ms allowed)");
        const DWORD start = GetTickCount();
        const int result =
            polling(port, sendLength, sendData, receiveLength, receiveData, timeoutMs);
        // Never more than the library may store, whatever it claims.
        const int stored = receiveLength != nullptr ? *receiveLength : 0;
        const std::span<const unsigned char> response(
            receiveData,
            receiveData != nullptr
                ? static_cast<std::size_t>(std::clamp(stored, 0, int{VQ_RECEIVE_CAPACITY}))
                : 0);
        file.Write(PortName(port) + "< " + MaskedHex(response, ResponseShown(request, response)) +
                   Outcome(result, start));
        return result;
    };
    traced.closePort = [closePort = link.closePort, &file](int port) {
        const DWORD start = GetTickCount();
        const int result = closePort(port);
        file.Write(PortName(port) + "close: " + Outcome(result, start));
        return result;
    };
    return traced;
}
