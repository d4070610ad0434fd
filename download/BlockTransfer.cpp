// see BlockTransfer.h
#include "download/BlockTransfer.h"

#include "framework/Clock.h"
#include "reader/ResponseRule.h"

#include <algorithm>
#include <cstring>

namespace {

// An answer that stores nothing keeps this code and is therefore refused.
constexpr unsigned char kNoResponseYet = 0xFF;
constexpr unsigned char kEmptyFlash = 0xFF;

void BuildBlockFrame(ReaderState& state, ImageView image, std::int32_t offset) {
    std::memset(state.txBuffer, kEmptyFlash, sizeof state.txBuffer);
    std::memset(state.rxBuffer, 0, sizeof state.rxBuffer);
    state.txBuffer[0] = kBlockCode;
    state.txBuffer[1] = static_cast<unsigned char>(offset >> 16);
    state.txBuffer[2] = static_cast<unsigned char>(offset >> 8);
    state.txBuffer[3] = static_cast<unsigned char>(offset);
    const std::int32_t present = std::clamp(image.length - offset, 0, kBlockSize);
    if (present > 0) {
        std::memcpy(state.txBuffer + 4, image.bytes + offset, static_cast<std::size_t>(present));
    }
}

bool Exchange(ReaderState& state, unsigned char code, int dataLength, const CommandSender& send) {
    state.rxBuffer[0] = kNoResponseYet;
    send(code, state.txBuffer + 1, dataLength);
    return IsAcceptedResponse(state.rxBuffer, state.rxLength);
}

} // namespace

std::int32_t BlockTotal(std::int32_t length) {
    const std::int32_t rest = length % kBlockSize;
    return rest == 0 ? length : length + (kBlockSize - rest);
}

bool SendImageBlocks(ReaderState& state, ImageView image, std::int32_t total,
                     const CommandSender& send, ProgressSink& sink) {
    if (total < image.length || total >= kOffsetLimit || image.length < 0) {
        return false;
    }
    std::int32_t offset = 0;
    int failedTries = 0;
    while (offset <= total) {
        sink.BlockStarting(offset, total);
        BuildBlockFrame(state, image, offset);
        if (Exchange(state, kBlockCode, kBlockFrameLength - 1, send)) {
            offset += kBlockSize;
            failedTries = 0;
            sink.BlockAccepted(offset);
            continue;
        }
        Sleep(kFailedBlockPauseMs);
        if (++failedTries >= kBlockTries) {
            return false;
        }
    }
    return true;
}

bool SendFinishCommand(ReaderState& state, const CommandSender& send) {
    for (int tries = 0; tries < kFinishTries; ++tries) {
        // byte 1 still holds the last block's offset bits 23..16
        state.txBuffer[0] = kFinishCode;
        if (Exchange(state, kFinishCode, 1, send)) {
            return true;
        }
    }
    return false;
}
