#pragma once

// The slave side of the simulated reader's pseudo-terminal opened directly, to see
// the exact bytes on the wire without the reader-link library in between.

#include "tests/sim/TestBytes.h"

#include <chrono>
#include <filesystem>

namespace simtest {

class RawPort {
public:
    explicit RawPort(const std::filesystem::path& device);
    ~RawPort();
    RawPort(const RawPort&) = delete;
    RawPort& operator=(const RawPort&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    bool Write(const Bytes& bytes);
    // Reads until count bytes arrived or limit passed; returns what arrived.
    Bytes Read(std::size_t count, std::chrono::milliseconds limit);

private:
    int fd_ = -1;
};

} // namespace simtest
