// see BlockTransfer.h
#include "download/BlockTransfer.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr unsigned char kEmptyFlash = 0xFF;

using BlockFrame = std::array<unsigned char, kBlockFrameLength>;

BlockFrame BuildBlockFrame(ImageView image, std::int32_t offset) {
    BlockFrame frame;
    frame.fill(kEmptyFlash);
    frame[0] = kBlockCode;
    frame[1] = static_cast<unsigned char>(offset >> 16);
    frame[2] = static_cast<unsigned char>(offset >> 8);
    frame[3] = static_cast<unsigned char>(offset);
    const std::int32_t present = std::clamp(image.length - offset, 0, kBlockSize);
    if (present > 0) {
        std::memcpy(frame.data() + 4, image.bytes + offset, static_cast<std::size_t>(present));
    }
    return frame;
}

} // namespace

std::int32_t BlockTotal(std::int32_t length) {
    const std::int32_t rest = length % kBlockSize;
    return rest == 0 ? length : length + (kBlockSize - rest);
}

bool SendImageBlocks(ImageView image, std::int32_t total, const AcceptedSender& send,
                     ProgressSink& sink, Clock& clock) {
    if (total < image.length || total >= kOffsetLimit || image.length < 0) {
        return false;
    }
    std::int32_t offset = 0;
    int failedTries = 0;
    while (offset <= total) {
        sink.BlockStarting(offset, total);
        const BlockFrame frame = BuildBlockFrame(image, offset);
        const SendVerdict verdict = send(kBlockCode, frame.data() + 1, kBlockFrameLength - 1);
        if (verdict == SendVerdict::Accepted) {
            offset += kBlockSize;
            failedTries = 0;
            sink.BlockAccepted(offset);
            continue;
        }
        if (verdict == SendVerdict::PortLost) {
            return false;
        }
        Wait(clock, kFailedBlockPause);
        if (++failedTries >= kBlockTries) {
            return false;
        }
    }
    return true;
}

unsigned char FinishDataByte(std::int32_t total) {
    return static_cast<unsigned char>(total >> 16);
}

bool SendFinishCommand(unsigned char dataByte, const AcceptedSender& send) {
    for (int tries = 0; tries < kFinishTries; ++tries) {
        const SendVerdict verdict = send(kFinishCode, &dataByte, 1);
        if (verdict != SendVerdict::Refused) {
            return verdict == SendVerdict::Accepted;
        }
    }
    return false;
}
