#include "security/DownloadKey.h"
#include "security/KeyProof.h"
#include "tests/support/OpenSslOracle.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Each half on its own: deciphered under the built-in key, XORed with the chaining value.
std::string OracleUnwrap(const std::string& halves) {
    const CFunction function;
    Bytes key = OracleDes(Concat(Bytes{}, function.tripleKey), FromHex(halves), false);
    for (size_t i = 0; i < key.size(); ++i) {
        key[i] ^= function.initVector[i % 8];
    }
    return ToHex(key);
}

// The proof is two-key triple DES (K1 K2 K1) of each plaintext half on its own.
TEST(DownloadKey, UnwrapsAsLibcryptoDoesWrapsBackAndIsProvedByItsKeyOnly) {
    unsigned char key[downloadKeyLength], proof[keyProofLength];
    BuildDownloadKey(CFunction(), key);
    EXPECT_EQ(ToHex(key), OracleUnwrap(std::string(wrappedKeyHalf1) + wrappedKeyHalf2));
    for (unsigned seed = 0; seed < 100; ++seed) {
        const Bytes original = RandomBytes(downloadKeyLength, seed);
        std::string half1, half2;
        WrapDownloadKey(original.data(), CFunction(), half1, half2);
        ASSERT_TRUE(UnwrapDownloadKey(half1, half2, CFunction(), key));
        ASSERT_EQ(ToHex(key) + OracleUnwrap(half1 + half2), ToHex(Concat(original, original)));
        BuildKeyProof(key, proof);
        ASSERT_EQ(ToHex(proof), ToHex(OracleDes(Concat(original, Slice(original, 0, 8)),
                                                FromHex(keyProofPlaintext))));
        EXPECT_TRUE(CheckKeyProof(key, proof)) << seed;
        key[seed % 16] ^= 0x02; // not a parity bit
        EXPECT_FALSE(CheckKeyProof(key, proof)) << seed;
        proof[seed % 16] ^= 0x80;
        EXPECT_FALSE(CheckKeyProof(original.data(), proof)) << seed;
    }
}

TEST(DownloadKey, MalformedHalvesAreRefusedAndNothingIsWritten) {
    const std::string half1 = wrappedKeyHalf1, half2 = wrappedKeyHalf2;
    // clang-format off
    for (const auto& [first, second] : {std::pair{half1.substr(1), half2}, {half1, half2 + "00"},
             {half1.substr(1) + "G", half2}, {half1, ""}, {half1.substr(0, 8).append(" ").append(half1, 9), half2}}) {
        // clang-format on
        Bytes key(downloadKeyLength + 8, 0x5A);
        EXPECT_FALSE(UnwrapDownloadKey(first, second, CFunction(), key.data())) << first << second;
        EXPECT_EQ(key, Bytes(downloadKeyLength + 8, 0x5A));
    }
}

// 16000 bytes leave a given value out with probability about e^-62.
TEST(DrawHostValues, ReservedBytesAreZeroAndEveryRandomByteValueOccurs) {
    unsigned char reserved[hostReservedLength] = {0xEE}, random[hostRandomLength];
    std::set<unsigned char> seen;
    for (int draw = 0; draw < 1000; ++draw) {
        ASSERT_TRUE(DrawHostValues(reserved, random));
        ASSERT_EQ(ToHex(reserved), "0000000000000000");
        seen.insert(std::begin(random), std::end(random));
    }
    EXPECT_EQ(seen.size(), 256u);
}

} // namespace
