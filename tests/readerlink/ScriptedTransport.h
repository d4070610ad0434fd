#pragma once

#include "readerlink/ByteTransport.h"

#include <algorithm>
#include <deque>
#include <vector>

// A byte transport whose incoming bytes are a script: each ReadSome hands out
// the next piece (or what fits of it), and an empty script is silence.
class ScriptedTransport : public readerlink::ByteTransport {
public:
    using Bytes = std::vector<std::uint8_t>;

    std::deque<Bytes> incoming; // read after the request
    Bytes staleInput;           // waiting before the request; DiscardInput drops it
    bool writeFails = false;
    bool readFailsWhenSilent = false; // the device vanishes instead of staying quiet
    std::vector<Bytes> writes;        // every WriteAll, in order
    int discards = 0;
    int discardsBeforeFirstWrite = -1;

    void DiscardInput() override {
        ++discards;
        staleInput.clear();
    }

    bool WriteAll(std::span<const std::uint8_t> bytes) override {
        if (discardsBeforeFirstWrite < 0) {
            discardsBeforeFirstWrite = discards;
        }
        writes.emplace_back(bytes.begin(), bytes.end());
        return !writeFails;
    }

    ReadResult ReadSome(std::span<std::uint8_t> buffer, std::chrono::milliseconds) override {
        if (!staleInput.empty()) {
            incoming.push_front(std::move(staleInput));
            staleInput.clear();
        }
        if (incoming.empty()) {
            return {0, readFailsWhenSilent};
        }
        Bytes& piece = incoming.front();
        const std::size_t count = std::min(piece.size(), buffer.size());
        std::copy_n(piece.begin(), count, buffer.begin());
        piece.erase(piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(count));
        if (piece.empty()) {
            incoming.pop_front();
        }
        return {count, false};
    }
};
