#include "security/Authentication.h"
#include "tests/support/OpenSslOracle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

template <typename Build, typename... Inputs>
Bytes Built(int length, Build build, const Inputs&... inputs) {
    Bytes message(static_cast<size_t>(length), 0xA5); // a builder writes every byte
    build(inputs..., message.data());
    return message;
}

// The values both sides hold at the start of an exchange, and the messages they build.
struct Session {
    unsigned char downloadKey[downloadKeyLength], cipherKey[24], macKey[24];
    const Bytes reserved = Bytes(8, 0), hostRandom = RandomBytes(16, 1);
    const Bytes challenge = RandomBytes(8, 2), readerRandom = RandomBytes(16, 3);

    const SealKeys keys{cipherKey, macKey};

    Session() {
        BuildDownloadKey(CFunction(), downloadKey);
        DeriveAuthenticationKeys(downloadKey, cipherKey, macKey);
    }
    Bytes Response1() const { return Built(17, BuildAuthStep1Response, keys, challenge.data()); }
    Bytes Request2(const Bytes& readerChallenge) const {
        return Built(43, BuildAuthStep2Request, keys, reserved.data(), readerChallenge.data(),
                     hostRandom.data());
    }
    Bytes Response2(const Bytes& hostReserved, const Bytes& readerChallenge) const {
        return Built(41, BuildAuthStep2Response, keys, hostReserved.data(), readerChallenge.data(),
                     readerRandom.data());
    }
    Bytes KeyPair() const {
        Bytes secret = hostRandom; // the secret may replace the host's random bytes
        ComputeSharedSecret(secret.data(), readerRandom.data(), secret.data());
        return Built(48, DeriveKeyPair, secret.data());
    }
    Bytes Request3() const { return Built(59, BuildAuthStep3Request, keys, KeyPair().data()); }
};

int Length(const Bytes& message) {
    return static_cast<int>(message.size());
}

Bytes Flipped(Bytes message, size_t index) {
    message[index] ^= 0x01;
    return message;
}

// pop_back keeps the last byte in memory, so only the length check can refuse the message.
Bytes Truncated(Bytes message) {
    message.pop_back();
    return message;
}

// SHA-256(secret || counter as 4 bytes big-endian), cut to a triple-DES key.
Bytes OracleCounterKey(const Bytes& secret, unsigned char counter) {
    return Slice(OracleDigest("SHA256", Concat(secret, Bytes{0, 0, 0, counter})), 0, 24);
}

// The keys are counter hashes of the download key's digest halves, the key pair two of the
// XORed randoms, a seal ECB blocks and their CBC-MAC. Each checker accepts the good message,
// yielding what was sent, and refuses a damaged one writing nothing.
TEST(Authentication, MessagesAreAsLibcryptoComputesThemAndCheckersAcceptOnlyThem) {
    const Session s;
    const Bytes r1 = s.Response1(), r2 = s.Response2(s.reserved, s.challenge);
    const Bytes q2 = s.Request2(s.challenge), q3 = s.Request3();
    const Bytes digest = OracleDigest("SHA256", Bytes(s.downloadKey, s.downloadKey + 16));
    const Bytes cipherKey = OracleCounterKey(Slice(digest, 0, 16), 1);
    const Bytes macKey = OracleCounterKey(Slice(digest, 16, 16), 2);
    const auto sealed = [&](const Bytes& plain) {
        const Bytes blocks = OracleDes(cipherKey, plain);
        return ToHex(
            Concat(blocks, Slice(OracleDes(macKey, blocks, true, true), plain.size() - 8, 8)));
    };
    Bytes secret(16);
    std::ranges::transform(s.hostRandom, s.readerRandom, secret.begin(), std::bit_xor<>());
    EXPECT_EQ(ToHex(Built(3, BuildAuthStep1Request)), "FF0901");
    EXPECT_EQ(ToHex(r1), "00" + sealed(s.challenge));
    EXPECT_EQ(ToHex(q2), "FF0902" + sealed(Concat(s.reserved, s.challenge, s.hostRandom)));
    EXPECT_EQ(ToHex(r2), "00" + sealed(Concat(s.reserved, s.challenge, s.readerRandom)));
    EXPECT_EQ(ToHex(q3),
              "FF0903" + sealed(Concat(OracleCounterKey(secret, 1), OracleCounterKey(secret, 2))));
    EXPECT_EQ(ToHex(Built(2, BuildAuthStep3Response)), "004F");

    Bytes challenge(8, 0xC7), reserved(8, 0xC7), hostRandom(16, 0xC7), readerRandom(16, 0xC7);
    Bytes pair(48, 0xC7);
    for (const Bytes& m :
         {Flipped(r1, 1), Flipped(r1, 16), Truncated(r1),
          Built(17, BuildAuthStep1Response, SealKeys{s.macKey, s.cipherKey}, s.challenge.data())}) {
        EXPECT_FALSE(CheckAuthStep1Response(m.data(), Length(m), s.keys, challenge.data()));
    }
    for (const Bytes& m :
         {Flipped(q2, 42), s.Request2(Flipped(s.challenge, 3)), Flipped(q2, 0), Truncated(q2)}) {
        EXPECT_FALSE(CheckAuthStep2Request(m.data(), Length(m), s.keys, s.challenge.data(),
                                           reserved.data(), hostRandom.data()));
    }
    for (const Bytes& m :
         {Flipped(r2, 40), Truncated(r2), s.Response2(s.reserved, Flipped(s.challenge, 7)),
          s.Response2(Flipped(s.reserved, 0), s.challenge)}) {
        EXPECT_FALSE(CheckAuthStep2Response(m.data(), Length(m), s.keys, s.reserved.data(),
                                            s.challenge.data(), readerRandom.data()));
    }
    for (const Bytes& m : {Flipped(q3, 58), Flipped(q3, 1), Flipped(q3, 2), Truncated(q3)}) {
        EXPECT_FALSE(CheckAuthStep3Request(m.data(), Length(m), s.keys, pair.data())) << ToHex(m);
    }
    for (const Bytes& m : {Bytes{0x4F, 0x00}, Bytes{0x00, 0x6F}, Bytes{0x00}}) {
        EXPECT_FALSE(CheckAuthStep3Response(m.data(), Length(m))) << ToHex(m);
    }
    EXPECT_EQ(Concat(challenge, reserved, hostRandom, readerRandom, pair), Bytes(96, 0xC7));

    const Bytes q1 = Built(3, BuildAuthStep1Request), r3 = {0x7E, 0x4F, 0x12}; // only byte 1 counts
    EXPECT_TRUE(CheckAuthStep1Request(q1.data(), 3) && CheckAuthStep3Response(r3.data(), 3));
    ASSERT_TRUE(CheckAuthStep1Response(Flipped(r1, 0).data(), 17, s.keys, challenge.data()));
    ASSERT_TRUE(CheckAuthStep2Request(q2.data(), 43, s.keys, s.challenge.data(), reserved.data(),
                                      hostRandom.data()));
    ASSERT_TRUE(CheckAuthStep2Response(r2.data(), 41, s.keys, s.reserved.data(), s.challenge.data(),
                                       readerRandom.data()));
    ASSERT_TRUE(CheckAuthStep3Request(q3.data(), 59, s.keys, pair.data()));
    EXPECT_EQ(ToHex(Concat(challenge, reserved, hostRandom, readerRandom, pair)),
              ToHex(Concat(s.challenge, s.reserved, s.hostRandom, s.readerRandom, s.KeyPair())));
}

} // namespace
