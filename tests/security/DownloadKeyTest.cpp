#include "security/DownloadKey.h"
#include "tests/security/Support.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// The download key computed with libcrypto alone: each half 3DES-deciphered under the
// built-in key, then XORed with the built-in chaining value.
Bytes OracleUnwrap(const std::string& half1, const std::string& half2) {
    const CFunction function;
    const Bytes key24(function.tripleKey, function.tripleKey + 24);
    Bytes key;
    for (const std::string& half : {half1, half2}) {
        Bytes plain = OracleDes(key24, FromHex(half), false);
        for (int i = 0; i < 8; ++i) {
            plain[i] ^= function.initVector[i];
        }
        key = Concat(key, plain);
    }
    return key;
}

TEST(DownloadKey, BuiltInHalvesUnwrapAsLibcryptoDoesAndWrapBack) {
    unsigned char key[downloadKeyLength];
    BuildDownloadKey(CFunction(), key);
    EXPECT_EQ(ToHex(key, downloadKeyLength), ToHex(OracleUnwrap(wrappedKeyHalf1, wrappedKeyHalf2)));
    std::string half1, half2;
    WrapDownloadKey(key, CFunction(), half1, half2);
    EXPECT_EQ(half1, wrappedKeyHalf1);
    EXPECT_EQ(half2, wrappedKeyHalf2);
}

TEST(DownloadKey, RandomKeysWrapAndUnwrapBack) {
    for (unsigned seed = 0; seed < 100; ++seed) {
        const Bytes key = RandomBytes(downloadKeyLength, seed);
        std::string half1, half2;
        WrapDownloadKey(key.data(), CFunction(), half1, half2);
        unsigned char back[downloadKeyLength];
        ASSERT_TRUE(UnwrapDownloadKey(half1, half2, CFunction(), back));
        EXPECT_EQ(ToHex(back, downloadKeyLength), ToHex(key)) << seed;
        EXPECT_EQ(ToHex(OracleUnwrap(half1, half2)), ToHex(key)) << seed;
    }
}

TEST(DownloadKey, MalformedHalvesAreRefusedAndNothingIsWritten) {
    const std::pair<std::string, std::string> halves[] = {{"439FB7E57AC8057", wrappedKeyHalf2},
                                                          {wrappedKeyHalf1, "D89AF078F4623FDA00"},
                                                          {"439FB7E57AC8057G", wrappedKeyHalf2},
                                                          {wrappedKeyHalf1, ""},
                                                          {"439FB7E5 7AC8057", wrappedKeyHalf2}};
    for (const auto& [half1, half2] : halves) {
        Bytes key(downloadKeyLength + 8, 0x5A);
        EXPECT_FALSE(UnwrapDownloadKey(half1, half2, CFunction(), key.data())) << half1 << half2;
        EXPECT_EQ(key, Bytes(downloadKeyLength + 8, 0x5A));
    }
}

TEST(DrawHostValues, ReservedBytesAreZeroAndEveryRandomByteValueOccurs) {
    unsigned char reserved[hostReservedLength];
    unsigned char random[hostRandomLength];
    std::set<std::string> draws;
    std::set<unsigned char> seen;
    // 16000 bytes leave a given value out with probability about e^-62; equal 16-byte
    // draws from the OS source would happen once in 2^128
    for (int draw = 0; draw < 1000; ++draw) {
        std::fill(std::begin(reserved), std::end(reserved), 0xEE);
        ASSERT_TRUE(DrawHostValues(reserved, random));
        ASSERT_EQ(ToHex(reserved, hostReservedLength), "0000000000000000");
        seen.insert(std::begin(random), std::end(random));
        draws.insert(ToHex(random, hostRandomLength));
    }
    EXPECT_EQ(seen.size(), 256u);
    EXPECT_EQ(draws.size(), 1000u);
}

TEST(DeriveAuthenticationKeys, AreCounterHashesOfTheKeysDigest) {
    unsigned char key[downloadKeyLength], cipherKey[24], macKey[24];
    BuildDownloadKey(CFunction(), key);
    DeriveAuthenticationKeys(key, cipherKey, macKey);
    const Bytes z = OracleSha256(Bytes(key, key + downloadKeyLength));
    EXPECT_EQ(ToHex(cipherKey, 24),
              ToHex(Slice(OracleSha256(Concat(Slice(z, 0, 16), FromHex("00000001"))), 0, 24)));
    EXPECT_EQ(ToHex(macKey, 24),
              ToHex(Slice(OracleSha256(Concat(Slice(z, 16, 16), FromHex("00000002"))), 0, 24)));
}

} // namespace
