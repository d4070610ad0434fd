#pragma once

#include "framework/Clock.h"
#include "reader/ProtocolTimings.h"
#include "reader/ReaderConstants.h"

#include <cstdint>
#include <functional>

// The firmware image on the wire to the boot loader: F1 blocks of 256 bytes behind
// a 24-bit big-endian offset, then F2. No user interface here: progress goes to a
// ProgressSink, messages are the caller's.

constexpr std::int32_t kBlockSize = 256;
constexpr int kBlockFrameLength = 4 + kBlockSize; // F1, offset (3 bytes), data
// Offsets are 24 bits wide and the extra block lies at the rounded-up end, which
// must therefore stay below 16 MiB: otherwise its offset wraps to 0 and the reader
// overwrites the start of its flash with FF.
constexpr std::int32_t kOffsetLimit = 1 << 24;
constexpr std::int32_t kLargestImage = kOffsetLimit - kBlockSize;

struct ImageView {
    const unsigned char* bytes;
    std::int32_t length;
};

// How the reader took one command.
enum class SendVerdict {
    Accepted,
    Refused,  // refused, silent or garbled: worth another try
    PortLost, // the device behind the port is gone: no try can reach it
};

// Sends code and data as one command and judges the reader's response.
using AcceptedSender =
    std::function<SendVerdict(unsigned char code, const unsigned char* data, int dataLength)>;

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    // Before every try of the block at offset.
    virtual void BlockStarting(std::int32_t offset, std::int32_t total) = 0;
    // After the block before nextOffset was accepted.
    virtual void BlockAccepted(std::int32_t nextOffset) = 0;
};

// The length rounded up to whole blocks.
std::int32_t BlockTotal(std::int32_t length);

// Blocks at 0, 256, ..., total inclusive: the last one lies past the image and is
// all FF, as the readers expect. False after a block was refused kBlockTries times
// in a row, at once when the port is lost, and, with nothing sent, when total does
// not fit the offsets or does not cover the image. The pauses after refused tries
// go to clock.
bool SendImageBlocks(ImageView image, std::int32_t total, const AcceptedSender& send,
                     ProgressSink& sink, Clock& clock);

// The finish command's data byte: byte 1 of the last block frame, the offset bits
// 23..16 of the extra block at total.
unsigned char FinishDataByte(std::int32_t total);

// F2 with dataByte. False after kFinishTries refusals, or at once when the port is lost.
bool SendFinishCommand(unsigned char dataByte, const AcceptedSender& send);
