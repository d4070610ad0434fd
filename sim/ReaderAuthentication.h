#pragma once

// The reader's side of the three-step authentication FF 09 01/02/03, computed with
// the same security code the host uses. Each step checks the host's message under
// the reader's own key, so a host holding another key is refused.

#include "sim/ReaderConfig.h"

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <span>
#include <vector>

namespace sim {

class ReaderAuthentication {
public:
    ReaderAuthentication(const KeyBytes& downloadKey, std::uint32_t randomSeed);

    // Step 1 starts a new exchange: the whole 17-byte answer (response code, the
    // reader's fresh challenge enciphered, its MAC).
    std::vector<std::uint8_t> Challenge();

    // Step 2: the whole 41-byte answer to the host's request, or nothing when the
    // request is malformed, its MAC is wrong, it does not carry the outstanding
    // challenge, or no challenge is outstanding.
    std::optional<std::vector<std::uint8_t>> Answer(std::span<const std::uint8_t> request);

    // Step 3: true when the request's MAC holds and its two keys are the ones the
    // shared secret yields. Ends the exchange either way.
    bool AcceptSessionKeys(std::span<const std::uint8_t> request);

    void Abandon();

private:
    enum class Stage { Idle, Challenged, Answered };

    std::array<std::uint8_t, 24> cipherKey_{};
    std::array<std::uint8_t, 24> macKey_{};
    std::array<std::uint8_t, 8> challenge_{};
    std::array<std::uint8_t, 8> hostReserved_{};
    std::array<std::uint8_t, 16> hostRandom_{};
    std::array<std::uint8_t, 16> readerRandom_{};
    Stage stage_ = Stage::Idle;
    std::mt19937 random_;
};

} // namespace sim
