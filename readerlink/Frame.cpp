#include "readerlink/Frame.h"

namespace readerlink {

std::vector<std::uint8_t> EncodeFrame(std::span<const std::uint8_t> payload) {
    if (payload.size() < kMinPayload || payload.size() > kMaxPayload) {
        return {};
    }
    std::vector<std::uint8_t> frame;
    frame.reserve(payload.size() + kFrameOverhead);
    frame.push_back(kStx);
    frame.push_back(static_cast<std::uint8_t>(payload.size() >> 8));
    frame.push_back(static_cast<std::uint8_t>(payload.size() & 0xFF));
    frame.insert(frame.end(), payload.begin(), payload.end());
    frame.push_back(kEtx);
    std::uint8_t lrc = 0;
    for (std::size_t i = 1; i < frame.size(); ++i) {
        lrc ^= frame[i];
    }
    frame.push_back(lrc);
    return frame;
}

FrameParser::Status FrameParser::Feed(std::uint8_t byte) {
    if (stage_ == Stage::Done) {
        Reset();
    }
    switch (stage_) {
    case Stage::Hunting:
        if (byte == kNak) {
            return Finish(Status::Refused);
        }
        if (byte == kStx) {
            stage_ = Stage::LengthHigh;
        }
        return Status::NeedMore;
    case Stage::LengthHigh:
        lrc_ = byte;
        expectedLength_ = static_cast<std::size_t>(byte) << 8;
        stage_ = Stage::LengthLow;
        return Status::NeedMore;
    case Stage::LengthLow:
        lrc_ ^= byte;
        expectedLength_ |= byte;
        // A bad length is reported at once rather than waiting for up to 64 KiB
        // that may never come.
        if (expectedLength_ < kMinPayload || expectedLength_ > kMaxPayload) {
            return Finish(Status::BadLength);
        }
        payload_.reserve(expectedLength_);
        stage_ = Stage::Payload;
        return Status::NeedMore;
    case Stage::Payload:
        lrc_ ^= byte;
        payload_.push_back(byte);
        if (payload_.size() == expectedLength_) {
            stage_ = Stage::Etx;
        }
        return Status::NeedMore;
    case Stage::Etx:
        if (byte != kEtx) {
            return Finish(Status::BadEtx);
        }
        lrc_ ^= byte;
        stage_ = Stage::Lrc;
        return Status::NeedMore;
    case Stage::Lrc:
        if (byte != lrc_) {
            return Finish(Status::BadLrc);
        }
        complete_ = true;
        return Finish(Status::Complete);
    case Stage::Done:
        break;
    }
    return Status::NeedMore;
}

std::span<const std::uint8_t> FrameParser::Payload() const {
    if (!complete_) {
        return {};
    }
    return payload_;
}

void FrameParser::Reset() {
    stage_ = Stage::Hunting;
    expectedLength_ = 0;
    lrc_ = 0;
    payload_.clear();
    complete_ = false;
}

FrameParser::Status FrameParser::Finish(Status verdict) {
    stage_ = Stage::Done;
    return verdict;
}

} // namespace readerlink
