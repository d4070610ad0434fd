#pragma once

// The host's half of the download, built from the security pieces the program uses,
// so the simulated reader is checked against the real computation.

#include "sim/ReaderConfig.h"
#include "tests/sim/TestBytes.h"

#include <array>
#include <span>

namespace simtest {

sim::KeyBytes BuiltInKey();

class TestHost {
public:
    explicit TestHost(const sim::KeyBytes& downloadKey = BuiltInKey());

    Bytes StoreKeyRequest() const;    // FF 08 + key
    Bytes HandOverKeyRequest() const; // 92 + key
    Bytes KeyProofRequest() const;    // 8E + proof

    Bytes Step1Request() const;
    bool TakeStep1Response(const Bytes& response);
    Bytes Step2Request() const;
    bool TakeStep2Response(const Bytes& response);
    Bytes Step3Request() const;
    // A step 3 request carrying keys that do not come from the shared secret.
    Bytes Step3RequestWithForeignKeys() const;

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

} // namespace simtest
