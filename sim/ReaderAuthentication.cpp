#include "sim/ReaderAuthentication.h"

#include "security/Authentication.h"
#include "security/Bytes.h"

namespace sim {

namespace {

// Requests come out of frames of at most 4096 bytes, so the length always fits.
int Length(std::span<const std::uint8_t> request) {
    return static_cast<int>(request.size());
}

} // namespace

ReaderAuthentication::ReaderAuthentication(const KeyBytes& downloadKey, std::uint32_t randomSeed)
    : random_(randomSeed) {
    DeriveAuthenticationKeys(downloadKey.data(), cipherKey_.data(), macKey_.data());
}

std::vector<std::uint8_t> ReaderAuthentication::Challenge() {
    for (auto& byte : challenge_) {
        byte = static_cast<std::uint8_t>(random_());
    }
    std::vector<std::uint8_t> response(authStep1ResponseLength);
    BuildAuthStep1Response({cipherKey_.data(), macKey_.data()}, challenge_.data(), response.data());
    stage_ = Stage::Challenged;
    return response;
}

std::optional<std::vector<std::uint8_t>>
ReaderAuthentication::Answer(std::span<const std::uint8_t> request) {
    if (stage_ != Stage::Challenged) {
        return std::nullopt;
    }
    const SealKeys keys{cipherKey_.data(), macKey_.data()};
    if (!CheckAuthStep2Request(request.data(), Length(request), keys, challenge_.data(),
                               hostReserved_.data(), hostRandom_.data())) {
        stage_ = Stage::Idle;
        return std::nullopt;
    }
    for (auto& byte : readerRandom_) {
        byte = static_cast<std::uint8_t>(random_());
    }
    std::vector<std::uint8_t> response(authStep2ResponseLength);
    BuildAuthStep2Response(keys, hostReserved_.data(), challenge_.data(), readerRandom_.data(),
                           response.data());
    stage_ = Stage::Answered;
    return response;
}

bool ReaderAuthentication::AcceptSessionKeys(std::span<const std::uint8_t> request) {
    if (stage_ != Stage::Answered) {
        return false;
    }
    stage_ = Stage::Idle;
    std::array<std::uint8_t, derivedKeyPairLength> received{};
    if (!CheckAuthStep3Request(request.data(), Length(request), {cipherKey_.data(), macKey_.data()},
                               received.data())) {
        return false;
    }
    std::array<std::uint8_t, sharedSecretLength> secret{};
    ComputeSharedSecret(hostRandom_.data(), readerRandom_.data(), secret.data());
    std::array<std::uint8_t, derivedKeyPairLength> expected{};
    DeriveKeyPair(secret.data(), expected.data());
    return BytesEqual(received.data(), expected.data(), expected.size());
}

void ReaderAuthentication::Abandon() {
    stage_ = Stage::Idle;
}

} // namespace sim
