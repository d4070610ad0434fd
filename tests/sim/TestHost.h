#pragma once

// The host's half of the download, built from the security pieces the program uses,
// so the simulated reader is checked against the real computation; and a session
// driving a SimulatedReader on virtual time the way the host's download does.

#include "sim/SimulatedReader.h"
#include "tests/sim/TestBytes.h"

#include <array>
#include <chrono>
#include <span>

namespace simtest {

class TestHost {
public:
    // The built-in download key when none is given.
    explicit TestHost(std::optional<sim::KeyBytes> downloadKey = std::nullopt);

    Bytes StoreKeyRequest() const;    // FF 08 + key
    Bytes HandOverKeyRequest() const; // 92 + key
    Bytes KeyProofRequest() const;    // 8E + proof

    Bytes Step1Request() const;
    bool TakeStep1Response(const Bytes& response);
    Bytes Step2Request() const;
    bool TakeStep2Response(const Bytes& response);
    // foreignKeys: keys that do not come from the shared secret.
    Bytes Step3Request(bool foreignKeys = false) const;

    // The frames the host's transfer sends for image: total/256 + 1 blocks, the
    // last one all FF, then the finish with the last block's offset bits 23..16.
    static std::vector<Bytes> BlockRequests(std::span<const std::uint8_t> image);
    static Bytes BlockRequest(std::uint32_t offset, std::span<const std::uint8_t> data);
    static Bytes FinishRequest(std::span<const std::uint8_t> image);

private:
    sim::KeyBytes downloadKey_;
    std::array<std::uint8_t, 24> cipherKey_{};
    std::array<std::uint8_t, 24> macKey_{};
    std::array<std::uint8_t, 8> reserved_{};
    std::array<std::uint8_t, 16> random_{};
    std::array<std::uint8_t, 8> challenge_{};
    std::array<std::uint8_t, 16> readerRandom_{};
};

class ReaderSession {
public:
    explicit ReaderSession(sim::ReaderConfig config = {}) : reader_(std::move(config)) {}

    sim::Reply Send(const Bytes& request) { return reader_.Handle(request, now_); }
    // The payload of a plain answer; fails the test for any other kind of reply.
    Bytes Ask(const Bytes& request);
    void Wait(std::chrono::milliseconds time) { now_ += time; }
    std::optional<sim::Firmware> Running() const { return reader_.RunningFirmware(now_); }

    // FF 08 and the three authentication steps; true when every step checked out
    // on the host's side and the reader accepted step 3.
    bool Authenticate(TestHost& host);
    // Every block and the finish, each answered as accepted (BE or 00).
    bool Transfer(std::span<const std::uint8_t> image);

    sim::SimulatedReader reader_;
    sim::SimulatedReader::TimePoint now_{std::chrono::hours(1)};
};

// A boot loader that has accepted the host's key proof.
ReaderSession ProvenBootLoader(sim::Faults faults = {});

} // namespace simtest
