#include "app/BrimletDlg.h"
#include "readerlink/VexilonDll.h"

#include <cstdio>
#include <cstring>

namespace {

// The application firmware takes the key as FF 08 <key>; the boot loader as 92 <key>.
constexpr unsigned char kStoreKeyCommand[] = {0xFF, 0x08};
constexpr unsigned char kHandOverKeyCode = 0x92;
constexpr int kStoreKeyTimeoutMs = 3000;
constexpr int kReceiveAreaSize = 1024;

static_assert(kReceiveAreaSize >= VQ_RECEIVE_CAPACITY);

} // namespace

std::int32_t CBrimletDlg::SendDownloadKey(int mode) {
    int result = 0;
    if (mode == 0) {
        unsigned char request[sizeof kStoreKeyCommand + sizeof reader.downloadKey];
        std::memcpy(request, kStoreKeyCommand, sizeof kStoreKeyCommand);
        std::memcpy(request + sizeof kStoreKeyCommand, reader.downloadKey,
                    sizeof reader.downloadKey);
        unsigned char response[kReceiveAreaSize] = {};
        int responseLength = 0;
        result = VQ_Polling(reader.port, static_cast<int>(sizeof request), request, &responseLength,
                            response, kStoreKeyTimeoutMs);
    } else {
        result = SendCommand(kHandOverKeyCode, reader.downloadKey,
                             static_cast<int>(sizeof reader.downloadKey));
    }

    // Only the library's result counts: the reader's response code is not examined.
    char line[64];
    if (result == 0) {
        std::snprintf(line, sizeof line, "<= %02d ", result);
        AddLogLine(line);
        return 0;
    }
    std::snprintf(line, sizeof line, "Failed to Read (%02X)", static_cast<unsigned>(result));
    AddLogLine(line);
    return 1;
}
