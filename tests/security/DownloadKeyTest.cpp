#include "security/DownloadKey.h"
#include "tests/security/OpenSslOracle.h"

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
        Bytes plain = OracleTripleDesDecrypt(key24, FromHex(half));
        for (int i = 0; i < 8; ++i) {
            plain[i] ^= function.initVector[i];
        }
        key.insert(key.end(), plain.begin(), plain.end());
    }
    return key;
}

Bytes Truncated(const Bytes& digest, size_t length) {
    return Bytes(digest.begin(), digest.begin() + static_cast<long>(length));
}

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(BuildDownloadKey, IsTheBuiltInHalvesDecipheredEachOnItsOwn) {
    unsigned char key[downloadKeyLength];
    BuildDownloadKey(CFunction(), key);
    EXPECT_EQ(ToHex(key, downloadKeyLength), ToHex(OracleUnwrap(wrappedKeyHalf1, wrappedKeyHalf2)));
}

TEST(BuildDownloadKey, GivesTheSameKeyEveryTime) {
    unsigned char first[downloadKeyLength];
    unsigned char second[downloadKeyLength];
    BuildDownloadKey(CFunction(), first);
    BuildDownloadKey(CFunction(), second);
    EXPECT_EQ(ToHex(first, downloadKeyLength), ToHex(second, downloadKeyLength));
}

struct MalformedHalves {
    const char* name;
    std::string half1;
    std::string half2;
};

class UnwrapDownloadKeyRefusal : public testing::TestWithParam<MalformedHalves> {};

TEST_P(UnwrapDownloadKeyRefusal, RefusesAndWritesNothing) {
    Bytes key(downloadKeyLength + 8, 0x5A);
    EXPECT_FALSE(UnwrapDownloadKey(GetParam().half1, GetParam().half2, CFunction(), key.data()));
    EXPECT_EQ(key, Bytes(downloadKeyLength + 8, 0x5A));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, UnwrapDownloadKeyRefusal,
    testing::Values(MalformedHalves{"FirstShort", "439FB7E57AC8057", wrappedKeyHalf2},
                    MalformedHalves{"SecondLong", wrappedKeyHalf1, "D89AF078F4623FDA00"},
                    MalformedHalves{"FirstNotHex", "439FB7E57AC8057G", wrappedKeyHalf2},
                    MalformedHalves{"SecondEmpty", wrappedKeyHalf1, ""},
                    MalformedHalves{"Blanks", "439FB7E5 7AC8057", wrappedKeyHalf2}),
    [](const testing::TestParamInfo<MalformedHalves>& info) { return info.param.name; });

TEST(WrapDownloadKey, ProductKeyWrapsToTheBuiltInHalves) {
    unsigned char key[downloadKeyLength];
    BuildDownloadKey(CFunction(), key);
    std::string half1;
    std::string half2;
    WrapDownloadKey(key, CFunction(), half1, half2);
    EXPECT_EQ(half1, wrappedKeyHalf1);
    EXPECT_EQ(half2, wrappedKeyHalf2);
}

TEST(WrapDownloadKey, RandomKeysComeBackThroughTheProductsDerivation) {
    for (unsigned seed = 0; seed < 100; ++seed) {
        const Bytes key = RandomBytes(downloadKeyLength, seed);
        std::string half1;
        std::string half2;
        WrapDownloadKey(key.data(), CFunction(), half1, half2);
        ASSERT_EQ(half1.size(), 16u);
        ASSERT_EQ(half2.size(), 16u);
        unsigned char back[downloadKeyLength];
        ASSERT_TRUE(UnwrapDownloadKey(half1, half2, CFunction(), back));
        EXPECT_EQ(ToHex(back, downloadKeyLength), ToHex(key)) << seed;
        EXPECT_EQ(ToHex(OracleUnwrap(half1, half2)), ToHex(key)) << seed;
    }
}

TEST(DrawHostValues, ReservedBytesAreZeroAndRandomBytesChange) {
    unsigned char reserved[hostReservedLength];
    unsigned char first[hostRandomLength];
    unsigned char second[hostRandomLength];
    std::fill(std::begin(reserved), std::end(reserved), 0xEE);
    ASSERT_TRUE(DrawHostValues(reserved, first));
    EXPECT_EQ(ToHex(reserved, hostReservedLength), "0000000000000000");
    ASSERT_TRUE(DrawHostValues(reserved, second));
    // equal 16-byte draws from the OS source would happen once in 2^128
    EXPECT_NE(ToHex(first, hostRandomLength), ToHex(second, hostRandomLength));
}

TEST(DrawHostValues, EveryByteValueFrom0To255Occurs) {
    std::set<unsigned char> seen;
    unsigned char reserved[hostReservedLength];
    unsigned char random[hostRandomLength];
    // 16000 draws leave a given value out with probability about e^-62
    for (int draw = 0; draw < 1000; ++draw) {
        ASSERT_TRUE(DrawHostValues(reserved, random));
        seen.insert(std::begin(random), std::end(random));
    }
    EXPECT_EQ(seen.size(), 256u);
}

TEST(DeriveAuthenticationKeys, AreCounterHashesOfTheKeysDigest) {
    unsigned char key[downloadKeyLength];
    BuildDownloadKey(CFunction(), key);
    unsigned char cipherKey[24];
    unsigned char macKey[24];
    DeriveAuthenticationKeys(key, cipherKey, macKey);

    const Bytes z = OracleSha256(Bytes(key, key + downloadKeyLength));
    const Bytes zLow(z.begin(), z.begin() + 16);
    const Bytes zHigh(z.begin() + 16, z.end());
    EXPECT_EQ(ToHex(cipherKey, 24),
              ToHex(Truncated(OracleSha256(Concat(zLow, FromHex("00000001"))), 24)));
    EXPECT_EQ(ToHex(macKey, 24),
              ToHex(Truncated(OracleSha256(Concat(zHigh, FromHex("00000002"))), 24)));
}

TEST(DeriveAuthenticationKeys, DependOnTheDownloadKeyAloneWhateverTheHostDraws) {
    unsigned char key[downloadKeyLength];
    BuildDownloadKey(CFunction(), key);
    unsigned char cipherFirst[24], macFirst[24], cipherSecond[24], macSecond[24];
    unsigned char reserved[hostReservedLength];
    unsigned char random[hostRandomLength];
    ASSERT_TRUE(DrawHostValues(reserved, random));
    DeriveAuthenticationKeys(key, cipherFirst, macFirst);
    ASSERT_TRUE(DrawHostValues(reserved, random));
    DeriveAuthenticationKeys(key, cipherSecond, macSecond);
    EXPECT_EQ(ToHex(cipherFirst, 24), ToHex(cipherSecond, 24));
    EXPECT_EQ(ToHex(macFirst, 24), ToHex(macSecond, 24));
    EXPECT_NE(ToHex(cipherFirst, 24), ToHex(macFirst, 24));
}

} // namespace
