#include "app/BrimletDlg.h"
#include "readerlink/VexilonDll.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Callers retry on their own; one exchange never waits longer than this.
constexpr int kCommandTimeoutMs = 5000;

static_assert(sizeof(ReaderState::rxBuffer) >= VQ_RECEIVE_CAPACITY,
              "the library may store up to VQ_RECEIVE_CAPACITY response bytes");

} // namespace

std::int32_t CBrimletDlg::SendCommand(unsigned char code, const unsigned char* data,
                                      int dataLength) {
    if (dataLength < 0 || dataLength > kMaxCommandDataLength ||
        (dataLength > 0 && data == nullptr)) {
        return kSendCommandRefused;
    }
    std::vector<unsigned char> sendArea(static_cast<std::size_t>(dataLength) + 1);
    sendArea[0] = code;
    std::copy_n(data, dataLength, sendArea.begin() + 1);

    const int result = VQ_Polling(reader.port, dataLength + 1, sendArea.data(), &reader.rxLength,
                                  reader.rxBuffer, kCommandTimeoutMs);
    if (result != 0) {
        char line[64];
        std::snprintf(line, sizeof line, "RECV ERR:%d [CMD:%02X]", result, code);
        AddLogLine(line);
    }
    return result;
}

void CBrimletDlg::AddLogLine(const std::string& text) {
    logList.AddString(text);
    logList.SetCurSel(logList.GetCount() - 1);
}
