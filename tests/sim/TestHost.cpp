#include "tests/sim/TestHost.h"

#include "security/Authentication.h"
#include "security/DownloadKey.h"
#include "security/Function.h"
#include "security/KeyProof.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace simtest {

TestHost::TestHost(std::optional<sim::KeyBytes> downloadKey) {
    if (downloadKey) {
        downloadKey_ = *downloadKey;
    } else {
        BuildDownloadKey(CFunction(), downloadKey_.data());
    }
    DeriveAuthenticationKeys(downloadKey_.data(), cipherKey_.data(), macKey_.data());
    for (std::size_t i = 0; i < random_.size(); ++i) {
        random_[i] = static_cast<std::uint8_t>(0xA0 + i);
    }
}

Bytes TestHost::StoreKeyRequest() const {
    return Concat(Hex("FF 08"), Bytes(downloadKey_.begin(), downloadKey_.end()));
}

Bytes TestHost::HandOverKeyRequest() const {
    return Concat(Hex("92"), Bytes(downloadKey_.begin(), downloadKey_.end()));
}

Bytes TestHost::KeyProofRequest() const {
    Bytes request(1 + keyProofLength, 0x8E);
    BuildKeyProof(downloadKey_.data(), request.data() + 1);
    return request;
}

Bytes TestHost::Step1Request() const {
    Bytes request(authStep1RequestLength);
    BuildAuthStep1Request(request.data());
    return request;
}

bool TestHost::TakeStep1Response(const Bytes& response) {
    return CheckAuthStep1Response(response.data(), static_cast<int>(response.size()),
                                  {cipherKey_.data(), macKey_.data()}, challenge_.data());
}

Bytes TestHost::Step2Request() const {
    Bytes request(authStep2RequestLength);
    BuildAuthStep2Request({cipherKey_.data(), macKey_.data()}, reserved_.data(), challenge_.data(),
                          random_.data(), request.data());
    return request;
}

bool TestHost::TakeStep2Response(const Bytes& response) {
    return CheckAuthStep2Response(response.data(), static_cast<int>(response.size()),
                                  {cipherKey_.data(), macKey_.data()}, reserved_.data(),
                                  challenge_.data(), readerRandom_.data());
}

Bytes TestHost::Step3Request(bool foreignKeys) const {
    std::array<std::uint8_t, sharedSecretLength> secret{};
    ComputeSharedSecret(random_.data(), readerRandom_.data(), secret.data());
    std::array<std::uint8_t, derivedKeyPairLength> keys{};
    // Foreign: the host's own random bytes alone, as if the reader's were never combined in.
    DeriveKeyPair(foreignKeys ? random_.data() : secret.data(), keys.data());
    Bytes request(authStep3RequestLength);
    BuildAuthStep3Request({cipherKey_.data(), macKey_.data()}, keys.data(), request.data());
    return request;
}

Bytes TestHost::BlockRequest(std::uint32_t offset, std::span<const std::uint8_t> data) {
    Bytes request(260, 0xFF);
    request[0] = 0xF1;
    request[1] = static_cast<std::uint8_t>(offset >> 16);
    request[2] = static_cast<std::uint8_t>(offset >> 8);
    request[3] = static_cast<std::uint8_t>(offset);
    std::copy_n(data.begin(), std::min<std::size_t>(data.size(), 256), request.begin() + 4);
    return request;
}

std::vector<Bytes> TestHost::BlockRequests(std::span<const std::uint8_t> image) {
    std::vector<Bytes> requests;
    for (std::size_t offset = 0; offset <= (image.size() + 255) / 256 * 256; offset += 256) {
        requests.push_back(BlockRequest(static_cast<std::uint32_t>(offset),
                                        image.subspan(std::min(offset, image.size()))));
    }
    return requests;
}

Bytes TestHost::FinishRequest(std::span<const std::uint8_t> image) {
    return {0xF2, static_cast<std::uint8_t>((image.size() + 255) / 256 * 256 >> 16)};
}

Bytes ReaderSession::Ask(const Bytes& request) {
    const sim::Reply reply = Send(request);
    EXPECT_EQ(reply.kind, sim::Reply::Kind::Response) << "request " << ToHex(request);
    return reply.payload;
}

bool ReaderSession::Authenticate(TestHost& host) {
    return Ask(host.StoreKeyRequest()) == Hex("00") &&
           host.TakeStep1Response(Ask(host.Step1Request())) &&
           host.TakeStep2Response(Ask(host.Step2Request())) && Ask(host.Step3Request()) == Ok("O");
}

ReaderSession ProvenBootLoader(sim::Faults faults) {
    sim::ReaderConfig config;
    config.startIn = sim::Firmware::BootLoader;
    config.faults = std::move(faults);
    ReaderSession session(config);
    EXPECT_EQ(session.Ask(TestHost().KeyProofRequest()), Hex("00"));
    return session;
}

bool ReaderSession::Transfer(std::span<const std::uint8_t> image) {
    std::vector<Bytes> requests = TestHost::BlockRequests(image);
    requests.push_back(TestHost::FinishRequest(image));
    return std::all_of(requests.begin(), requests.end(), [&](const Bytes& request) {
        const sim::Reply reply = Send(request);
        return reply.kind == sim::Reply::Kind::Response &&
               (reply.payload == Hex("00") || reply.payload == Hex("BE"));
    });
}

} // namespace simtest
