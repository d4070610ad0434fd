// Host and reader built from the same authentication pieces must complete the exchange,
// and every message a checker refuses must leave its outputs untouched.
#include "security/Authentication.h"
#include "security/DownloadKey.h"
#include "tests/security/Support.h"

#include <gtest/gtest.h>

namespace {

constexpr unsigned char untouched = 0xC7;

// The values both sides hold at the start of an exchange.
struct Session {
    unsigned char cipherKey[24];
    unsigned char macKey[24];
    Bytes hostReserved = Bytes(hostReservedLength, 0);
    Bytes hostRandom = RandomBytes(hostRandomLength, 1);
    Bytes readerChallenge = RandomBytes(readerChallengeLength, 2);
    Bytes readerRandom = RandomBytes(readerRandomLength, 3);

    Session() {
        unsigned char downloadKey[downloadKeyLength];
        BuildDownloadKey(CFunction(), downloadKey);
        DeriveAuthenticationKeys(downloadKey, cipherKey, macKey);
    }
    SealKeys Keys() const { return {cipherKey, macKey}; }

    Bytes Step1Response(const Bytes& challenge) const {
        Bytes response(authStep1ResponseLength);
        BuildAuthStep1Response(Keys(), challenge.data(), response.data());
        return response;
    }
    Bytes Step2Request() const {
        Bytes request(authStep2RequestLength);
        BuildAuthStep2Request(Keys(), hostReserved.data(), readerChallenge.data(),
                              hostRandom.data(), request.data());
        return request;
    }
    Bytes Step2Response(const Bytes& reserved, const Bytes& challenge) const {
        Bytes response(authStep2ResponseLength);
        BuildAuthStep2Response(Keys(), reserved.data(), challenge.data(), readerRandom.data(),
                               response.data());
        return response;
    }
    Bytes KeyPair() const {
        Bytes secret(sharedSecretLength);
        ComputeSharedSecret(hostRandom.data(), readerRandom.data(), secret.data());
        Bytes pair(derivedKeyPairLength);
        DeriveKeyPair(secret.data(), pair.data());
        return pair;
    }
    Bytes Step3Request() const {
        Bytes request(authStep3RequestLength);
        BuildAuthStep3Request(Keys(), KeyPair().data(), request.data());
        return request;
    }
};

Bytes Flipped(Bytes message, size_t index) {
    message[index] ^= 0x01;
    return message;
}

Bytes Truncated(Bytes message) {
    message.pop_back();
    return message;
}

TEST(Authentication, HostAndReaderCompleteAllThreeStepsAndAgreeOnTheKeyPair) {
    const Session host;
    Session reader;
    reader.hostRandom.assign(hostRandomLength, 0); // the reader learns it in step 2
    reader.hostReserved.assign(hostReservedLength, 0xFF);

    unsigned char request1[authStep1RequestLength];
    BuildAuthStep1Request(request1);
    EXPECT_EQ(ToHex(request1, 3), "FF0901");
    ASSERT_TRUE(CheckAuthStep1Request(request1, authStep1RequestLength));
    Bytes response1 = reader.Step1Response(reader.readerChallenge);
    response1[0] = 0xBE; // the response code byte is not examined
    Bytes hostChallenge(readerChallengeLength);
    ASSERT_TRUE(CheckAuthStep1Response(response1.data(), authStep1ResponseLength, host.Keys(),
                                       hostChallenge.data()));
    EXPECT_EQ(hostChallenge, reader.readerChallenge);

    Session hostAfterStep1 = host;
    hostAfterStep1.readerChallenge = hostChallenge;
    const Bytes request2 = hostAfterStep1.Step2Request();
    ASSERT_TRUE(CheckAuthStep2Request(request2.data(), authStep2RequestLength, reader.Keys(),
                                      reader.readerChallenge.data(), reader.hostReserved.data(),
                                      reader.hostRandom.data()));
    EXPECT_EQ(reader.hostRandom, host.hostRandom);
    EXPECT_EQ(reader.hostReserved, host.hostReserved);

    const Bytes response2 = reader.Step2Response(reader.hostReserved, reader.readerChallenge);
    Bytes hostReaderRandom(readerRandomLength);
    ASSERT_TRUE(CheckAuthStep2Response(response2.data(), authStep2ResponseLength, host.Keys(),
                                       host.hostReserved.data(), hostChallenge.data(),
                                       hostReaderRandom.data()));
    EXPECT_EQ(hostReaderRandom, reader.readerRandom);

    hostAfterStep1.readerRandom = hostReaderRandom;
    const Bytes request3 = hostAfterStep1.Step3Request();
    EXPECT_EQ(ToHex(request3).substr(0, 6), "FF0903");
    Bytes receivedPair(derivedKeyPairLength);
    ASSERT_TRUE(CheckAuthStep3Request(request3.data(), authStep3RequestLength, reader.Keys(),
                                      receivedPair.data()));
    EXPECT_EQ(receivedPair, reader.KeyPair());

    unsigned char response3[authStep3ResponseLength];
    BuildAuthStep3Response(response3);
    EXPECT_TRUE(CheckAuthStep3Response(response3, authStep3ResponseLength));
}

// libcrypto alone: the step 2 request is ECB blocks, then CBC-MAC (no padding, 32 bytes
// being whole blocks); the key pair is two counter hashes of the XORed randoms.
TEST(Authentication, Step2RequestAndKeyPairAreAsLibcryptoComputesThem) {
    const Session s;
    const Bytes plain = Concat(Concat(s.hostReserved, s.readerChallenge), s.hostRandom);
    Bytes sealed;
    for (size_t offset = 0; offset < plain.size(); offset += 8) {
        sealed = Concat(sealed,
                        OracleDes(Bytes(s.cipherKey, s.cipherKey + 24), Slice(plain, offset, 8)));
    }
    const Bytes mac = OracleTripleDesCbcLastBlock(Bytes(s.macKey, s.macKey + 24), sealed);
    EXPECT_EQ(ToHex(s.Step2Request()), "FF0902" + ToHex(Concat(sealed, mac)));

    Bytes secret = s.hostRandom; // the shared secret may replace the host random in place
    ComputeSharedSecret(secret.data(), s.readerRandom.data(), secret.data());
    for (int i = 0; i < sharedSecretLength; ++i) {
        EXPECT_EQ(secret[i], s.hostRandom[i] ^ s.readerRandom[i]);
    }
    const Bytes first = OracleSha256(Concat(secret, FromHex("00000001")));
    const Bytes second = OracleSha256(Concat(secret, FromHex("00000002")));
    EXPECT_EQ(ToHex(s.KeyPair()), ToHex(Concat(Slice(first, 0, 24), Slice(second, 0, 24))));
}

TEST(Authentication, HostRefusesBadResponsesAndLeavesItsOutputsUnchanged) {
    const Session s;
    Session other = s;
    other.cipherKey[0] ^= 0x10;
    other.macKey[0] ^= 0x10;
    const Bytes good1 = s.Step1Response(s.readerChallenge);
    for (const Bytes& response : {Flipped(good1, 9), Flipped(good1, 16), Flipped(good1, 1),
                                  Slice(good1, 0, 9), other.Step1Response(s.readerChallenge)}) {
        Bytes challenge(readerChallengeLength, untouched);
        EXPECT_FALSE(CheckAuthStep1Response(response.data(), static_cast<int>(response.size()),
                                            s.Keys(), challenge.data()))
            << ToHex(response);
        EXPECT_EQ(challenge, Bytes(readerChallengeLength, untouched));
    }
    const Bytes good2 = s.Step2Response(s.hostReserved, s.readerChallenge);
    for (const Bytes& response : {Flipped(good2, 40), Flipped(good2, 20), Truncated(good2),
                                  s.Step2Response(s.hostReserved, Flipped(s.readerChallenge, 7)),
                                  s.Step2Response(Flipped(s.hostReserved, 0), s.readerChallenge)}) {
        Bytes readerRandom(readerRandomLength, untouched);
        EXPECT_FALSE(CheckAuthStep2Response(response.data(), static_cast<int>(response.size()),
                                            s.Keys(), s.hostReserved.data(),
                                            s.readerChallenge.data(), readerRandom.data()))
            << ToHex(response);
        EXPECT_EQ(readerRandom, Bytes(readerRandomLength, untouched));
    }
    // step 3: only the letter O in byte 1 is accepted, whatever the other bytes
    EXPECT_TRUE(CheckAuthStep3Response(FromHex("7E4F1234").data(), 4));
    for (const char* response : {"006F", "0030", "0058", "0000", "4F00", "00"}) {
        const Bytes bytes = FromHex(response);
        EXPECT_FALSE(CheckAuthStep3Response(bytes.data(), static_cast<int>(bytes.size())))
            << response;
    }
}

TEST(Authentication, ReaderRefusesBadRequestsAndWritesNothing) {
    const Session s;
    Session other = s;
    other.readerChallenge = Flipped(s.readerChallenge, 3);
    EXPECT_FALSE(CheckAuthStep1Request(FromHex("FF0902").data(), 3));
    EXPECT_FALSE(CheckAuthStep1Request(FromHex("FF090100").data(), 4));
    const Bytes good2 = s.Step2Request(), good3 = s.Step3Request();
    for (const Bytes& request :
         {Flipped(good2, 42), other.Step2Request(), Flipped(good2, 0), Truncated(good2),
          Flipped(good3, 58), Flipped(good3, 3), Flipped(good3, 2)}) {
        const int length = static_cast<int>(request.size());
        Bytes first(derivedKeyPairLength, untouched), second(hostRandomLength, untouched);
        EXPECT_FALSE(length != authStep3RequestLength
                         ? CheckAuthStep2Request(request.data(), length, s.Keys(),
                                                 s.readerChallenge.data(), first.data(),
                                                 second.data())
                         : CheckAuthStep3Request(request.data(), length, s.Keys(), first.data()))
            << ToHex(request);
        EXPECT_EQ(first, Bytes(derivedKeyPairLength, untouched));
        EXPECT_EQ(second, Bytes(hostRandomLength, untouched));
    }
}

} // namespace
