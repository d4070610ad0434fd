#include "reader/ReaderSession.h"

#include "reader/ProtocolTimings.h"
#include "reader/ReaderText.h"
#include "readerlink/VexilonDll.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kReceiveAreaSize = 1024;

static_assert(kReceiveAreaSize >= VQ_RECEIVE_CAPACITY);

} // namespace

bool ReaderSession::SendDownloadKey(DownloadKeyForm form,
                                    std::span<const unsigned char, kDownloadKeyLength> key) {
    int result = VQ_OK;
    if (form == DownloadKeyForm::Application) {
        unsigned char request[sizeof kStoreKeyCommand + kDownloadKeyLength];
        std::copy(std::begin(kStoreKeyCommand), std::end(kStoreKeyCommand), request);
        std::copy(key.begin(), key.end(), request + sizeof kStoreKeyCommand);
        unsigned char response[kReceiveAreaSize] = {};
        int responseLength = 0;
        result = Exchange(request, static_cast<int>(sizeof request), response, responseLength,
                          kStoreKeyTimeout);
    } else {
        result = SendCommand(kHandOverKeyCode, key.data(), static_cast<int>(key.size()));
    }

    // Only the library's result counts: the reader's response code is not examined.
    if (result != VQ_OK) {
        AddLogLine(FailedToReadText(result));
        return false;
    }
    char line[16];
    std::snprintf(line, sizeof line, "<= %02d ", result);
    AddLogLine(line);
    return true;
}
