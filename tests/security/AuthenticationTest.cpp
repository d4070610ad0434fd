// Host and reader built from the same authentication pieces must complete the exchange,
// and every message a checker refuses must leave its outputs untouched.
#include "security/Authentication.h"
#include "security/DownloadKey.h"
#include "tests/security/OpenSslOracle.h"

#include <gtest/gtest.h>

#include <functional>

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

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(AuthenticationExchange, HostAndReaderCompleteAllThreeStepsAndAgreeOnTheKeyPair) {
    const Session host;
    Session reader;
    reader.hostRandom.assign(hostRandomLength, 0); // the reader learns it in step 2
    reader.hostReserved.assign(hostReservedLength, 0xFF);

    unsigned char request1[authStep1RequestLength];
    BuildAuthStep1Request(request1);
    ASSERT_TRUE(CheckAuthStep1Request(request1, authStep1RequestLength));
    const Bytes response1 = reader.Step1Response(reader.readerChallenge);
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
    Bytes receivedPair(derivedKeyPairLength);
    ASSERT_TRUE(CheckAuthStep3Request(request3.data(), authStep3RequestLength, reader.Keys(),
                                      receivedPair.data()));
    EXPECT_EQ(receivedPair, reader.KeyPair());

    unsigned char response3[authStep3ResponseLength];
    BuildAuthStep3Response(response3);
    EXPECT_TRUE(CheckAuthStep3Response(response3, authStep3ResponseLength));
}

TEST(AuthenticationMessages, RequestsHaveTheirCommandBytesAndFixedLengths) {
    const Session session;
    unsigned char request1[authStep1RequestLength];
    BuildAuthStep1Request(request1);
    EXPECT_EQ(ToHex(request1, 3), "FF0901");
    const Bytes request2 = session.Step2Request();
    const Bytes request3 = session.Step3Request();
    EXPECT_EQ(ToHex(request2).substr(0, 6), "FF0902");
    EXPECT_EQ(ToHex(request3).substr(0, 6), "FF0903");
    EXPECT_EQ(authStep2RequestLength, 3 + 32 + 8);
    EXPECT_EQ(authStep3RequestLength, 3 + 48 + 8);
}

// The step 2 request computed with libcrypto alone: ECB blocks, then CBC-MAC (no padding,
// 32 bytes being whole blocks).
TEST(AuthenticationMessages, Step2RequestIsEcbBlocksThenMacAsLibcryptoComputesThem) {
    const Session session;
    const Bytes cipherKey(session.cipherKey, session.cipherKey + 24);
    const Bytes macKey(session.macKey, session.macKey + 24);
    const Bytes plain =
        Concat(Concat(session.hostReserved, session.readerChallenge), session.hostRandom);
    Bytes sealed;
    for (size_t offset = 0; offset < plain.size(); offset += 8) {
        sealed =
            Concat(sealed, OracleTripleDesEncrypt(
                               cipherKey, Bytes(plain.begin() + static_cast<long>(offset),
                                                plain.begin() + static_cast<long>(offset) + 8)));
    }
    const Bytes expected =
        Concat(Concat(FromHex("FF0902"), sealed), OracleTripleDesCbcLastBlock(macKey, sealed));
    EXPECT_EQ(ToHex(session.Step2Request()), ToHex(expected));
}

TEST(AuthenticationKeyPair, IsTwoCounterHashesOfTheXoredRandoms) {
    const Session session;
    Bytes secret(sharedSecretLength);
    for (int i = 0; i < sharedSecretLength; ++i) {
        secret[i] = session.hostRandom[i] ^ session.readerRandom[i];
    }
    const Bytes first = OracleSha256(Concat(secret, FromHex("00000001")));
    const Bytes second = OracleSha256(Concat(secret, FromHex("00000002")));
    const Bytes expected = Concat(Bytes(first.begin(), first.begin() + 24),
                                  Bytes(second.begin(), second.begin() + 24));
    EXPECT_EQ(ToHex(session.KeyPair()), ToHex(expected));
}

TEST(AuthenticationKeyPair, SharedSecretMayReplaceTheHostRandomInPlace) {
    const Session session;
    Bytes buffer = session.hostRandom;
    ComputeSharedSecret(buffer.data(), session.readerRandom.data(), buffer.data());
    for (int i = 0; i < sharedSecretLength; ++i) {
        EXPECT_EQ(buffer[i], session.hostRandom[i] ^ session.readerRandom[i]);
    }
}

// A response the host must refuse, made from a valid session.
struct RefusedResponse {
    const char* name;
    std::function<Bytes(const Session&)> make;
};

std::string RefusedName(const testing::TestParamInfo<RefusedResponse>& info) {
    return info.param.name;
}

Bytes Flipped(Bytes message, size_t index) {
    message[index] ^= 0x01;
    return message;
}

class Step1ResponseRefusal : public testing::TestWithParam<RefusedResponse> {};

TEST_P(Step1ResponseRefusal, ReturnsFalseAndLeavesTheChallengeUnchanged) {
    const Session session;
    const Bytes response = GetParam().make(session);
    Bytes challenge(readerChallengeLength, untouched);
    EXPECT_FALSE(CheckAuthStep1Response(response.data(), static_cast<int>(response.size()),
                                        session.Keys(), challenge.data()));
    EXPECT_EQ(challenge, Bytes(readerChallengeLength, untouched));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, Step1ResponseRefusal,
    testing::Values(RefusedResponse{"FirstMacByteFlipped",
                                    [](const Session& s) {
                                        return Flipped(s.Step1Response(s.readerChallenge), 9);
                                    }},
                    RefusedResponse{"LastMacByteFlipped",
                                    [](const Session& s) {
                                        return Flipped(s.Step1Response(s.readerChallenge), 16);
                                    }},
                    RefusedResponse{"CipherByteFlipped",
                                    [](const Session& s) {
                                        return Flipped(s.Step1Response(s.readerChallenge), 1);
                                    }},
                    RefusedResponse{"MacMissing",
                                    [](const Session& s) {
                                        Bytes r = s.Step1Response(s.readerChallenge);
                                        r.resize(9);
                                        return r;
                                    }},
                    RefusedResponse{"OtherKeys",
                                    [](const Session& s) {
                                        Session other = s;
                                        other.cipherKey[0] ^= 0x10;
                                        other.macKey[0] ^= 0x10;
                                        return other.Step1Response(s.readerChallenge);
                                    }}),
    RefusedName);

TEST(Step1Response, ResponseCodeByteIsNotExamined) {
    const Session session;
    Bytes response = session.Step1Response(session.readerChallenge);
    response[0] = 0xBE;
    Bytes challenge(readerChallengeLength);
    EXPECT_TRUE(CheckAuthStep1Response(response.data(), authStep1ResponseLength, session.Keys(),
                                       challenge.data()));
    EXPECT_EQ(challenge, session.readerChallenge);
}

class Step2ResponseRefusal : public testing::TestWithParam<RefusedResponse> {};

TEST_P(Step2ResponseRefusal, ReturnsFalseAndLeavesTheReaderRandomUnchanged) {
    const Session session;
    const Bytes response = GetParam().make(session);
    Bytes readerRandom(readerRandomLength, untouched);
    EXPECT_FALSE(CheckAuthStep2Response(response.data(), static_cast<int>(response.size()),
                                        session.Keys(), session.hostReserved.data(),
                                        session.readerChallenge.data(), readerRandom.data()));
    EXPECT_EQ(readerRandom, Bytes(readerRandomLength, untouched));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, Step2ResponseRefusal,
    testing::Values(
        RefusedResponse{"MacByteFlipped",
                        [](const Session& s) {
                            return Flipped(s.Step2Response(s.hostReserved, s.readerChallenge), 40);
                        }},
        RefusedResponse{"CipherByteFlipped",
                        [](const Session& s) {
                            return Flipped(s.Step2Response(s.hostReserved, s.readerChallenge), 20);
                        }},
        RefusedResponse{"WrongEchoedChallenge",
                        [](const Session& s) {
                            return s.Step2Response(s.hostReserved, Flipped(s.readerChallenge, 7));
                        }},
        RefusedResponse{"NonZeroEchoedReserved",
                        [](const Session& s) {
                            return s.Step2Response(Flipped(s.hostReserved, 0), s.readerChallenge);
                        }},
        RefusedResponse{"Truncated",
                        [](const Session& s) {
                            Bytes r = s.Step2Response(s.hostReserved, s.readerChallenge);
                            r.resize(authStep2ResponseLength - 1);
                            return r;
                        }}),
    RefusedName);

struct Step3Answer {
    const char* name;
    Bytes response;
    bool accepted;
};

class Step3ResponseCheck : public testing::TestWithParam<Step3Answer> {};

TEST_P(Step3ResponseCheck, AcceptsOnlyTheLetterOInByteOne) {
    const Bytes& response = GetParam().response;
    EXPECT_EQ(CheckAuthStep3Response(response.data(), static_cast<int>(response.size())),
              GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, Step3ResponseCheck,
    testing::Values(
        Step3Answer{"LetterO", {0x00, 'O'}, true},
        Step3Answer{"LetterOWithOtherBytesArbitrary", {0x7E, 'O', 0x12, 0x34}, true},
        Step3Answer{"LowerCaseO", {0x00, 'o'}, false}, Step3Answer{"DigitZero", {0x00, '0'}, false},
        Step3Answer{"LetterX", {0x00, 'X'}, false}, Step3Answer{"ZeroByte", {0x00, 0x00}, false},
        Step3Answer{"OInByteZeroOnly", {'O', 0x00}, false}, Step3Answer{"CodeOnly", {0x00}, false}),
    [](const testing::TestParamInfo<Step3Answer>& info) { return info.param.name; });

// Requests the reader side must refuse.
struct RefusedRequest {
    const char* name;
    int step;
    std::function<Bytes(const Session&)> make;
};

class ReaderRequestRefusal : public testing::TestWithParam<RefusedRequest> {};

TEST_P(ReaderRequestRefusal, ReturnsFalseAndWritesNothing) {
    const Session session;
    const Bytes request = GetParam().make(session);
    const int length = static_cast<int>(request.size());
    Bytes first(derivedKeyPairLength, untouched);
    Bytes second(hostRandomLength, untouched);
    switch (GetParam().step) {
    case 1:
        EXPECT_FALSE(CheckAuthStep1Request(request.data(), length));
        break;
    case 2:
        EXPECT_FALSE(CheckAuthStep2Request(request.data(), length, session.Keys(),
                                           session.readerChallenge.data(), first.data(),
                                           second.data()));
        break;
    default:
        EXPECT_FALSE(CheckAuthStep3Request(request.data(), length, session.Keys(), first.data()));
        break;
    }
    EXPECT_EQ(first, Bytes(derivedKeyPairLength, untouched));
    EXPECT_EQ(second, Bytes(hostRandomLength, untouched));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ReaderRequestRefusal,
    testing::Values(
        RefusedRequest{"Step1WrongSubcode", 1, [](const Session&) { return FromHex("FF0902"); }},
        RefusedRequest{"Step1TooLong", 1, [](const Session&) { return FromHex("FF090100"); }},
        RefusedRequest{"Step2MacByteFlipped", 2,
                       [](const Session& s) { return Flipped(s.Step2Request(), 42); }},
        RefusedRequest{"Step2OtherChallenge", 2,
                       [](const Session& s) {
                           Session other = s;
                           other.readerChallenge = Flipped(s.readerChallenge, 3);
                           return other.Step2Request();
                       }},
        RefusedRequest{"Step2WrongCode", 2,
                       [](const Session& s) { return Flipped(s.Step2Request(), 0); }},
        RefusedRequest{"Step2Truncated", 2,
                       [](const Session& s) {
                           Bytes r = s.Step2Request();
                           r.pop_back();
                           return r;
                       }},
        RefusedRequest{"Step3MacByteFlipped", 3,
                       [](const Session& s) { return Flipped(s.Step3Request(), 58); }},
        RefusedRequest{"Step3CipherByteFlipped", 3,
                       [](const Session& s) { return Flipped(s.Step3Request(), 3); }},
        RefusedRequest{"Step3WrongSubcode", 3,
                       [](const Session& s) { return Flipped(s.Step3Request(), 2); }}),
    [](const testing::TestParamInfo<RefusedRequest>& info) { return info.param.name; });

} // namespace
