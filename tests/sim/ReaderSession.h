#pragma once

// Drives a SimulatedReader on virtual time the way the host's download does.

#include "sim/SimulatedReader.h"
#include "tests/sim/TestBytes.h"
#include "tests/sim/TestHost.h"

#include <chrono>

namespace simtest {

class ReaderSession {
public:
    explicit ReaderSession(sim::ReaderConfig config = {});

    sim::Reply Send(const Bytes& request);
    // The payload of a plain answer; fails the test for any other kind of reply.
    Bytes Ask(const Bytes& request);
    void Wait(std::chrono::milliseconds time) { now_ += time; }
    std::optional<sim::Firmware> Running() const { return reader_.RunningFirmware(now_); }

    // FF 08 and the three authentication steps; true when every step checked out
    // on the host's side and the reader accepted step 3.
    bool Authenticate(TestHost& host);
    // The host's whole transfer: every block and the finish, each answered as
    // accepted (BE or 00). Stops at the first refusal.
    bool Transfer(std::span<const std::uint8_t> image);

    sim::SimulatedReader& Reader() { return reader_; }

private:
    sim::SimulatedReader reader_;
    sim::SimulatedReader::TimePoint now_{std::chrono::hours(1)};
};

} // namespace simtest
