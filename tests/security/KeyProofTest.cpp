#include "security/KeyProof.h"
#include "tests/security/OpenSslOracle.h"

#include <gtest/gtest.h>

namespace {

// Two-key triple DES (K1 K2 K1) on each plaintext half separately, by libcrypto.
Bytes OracleProof(const Bytes& key16) {
    Bytes key24 = key16;
    key24.insert(key24.end(), key16.begin(), key16.begin() + 8);
    const Bytes plain = FromHex(keyProofPlaintext);
    Bytes proof = OracleTripleDesEncrypt(key24, Bytes(plain.begin(), plain.begin() + 8));
    const Bytes second = OracleTripleDesEncrypt(key24, Bytes(plain.begin() + 8, plain.end()));
    proof.insert(proof.end(), second.begin(), second.end());
    return proof;
}

TEST(BuildKeyProof, IsTwoKeyTripleDesOfEachPlaintextHalf) {
    for (unsigned seed = 0; seed < 50; ++seed) {
        const Bytes key = RandomBytes(16, seed);
        unsigned char proof[keyProofLength];
        BuildKeyProof(key.data(), proof);
        ASSERT_EQ(ToHex(proof, keyProofLength), ToHex(OracleProof(key))) << seed;
    }
}

TEST(BuildKeyProof, NeverContainsThePlaintextAndIsTheSameEveryTime) {
    const Bytes key = RandomBytes(16, 77);
    unsigned char first[keyProofLength];
    unsigned char second[keyProofLength];
    BuildKeyProof(key.data(), first);
    BuildKeyProof(key.data(), second);
    EXPECT_EQ(ToHex(first, keyProofLength), ToHex(second, keyProofLength));
    EXPECT_NE(ToHex(first, keyProofLength), keyProofPlaintext);
}

TEST(CheckKeyProof, AcceptsTheRightKeyOnly) {
    const Bytes key = RandomBytes(16, 78);
    unsigned char proof[keyProofLength];
    BuildKeyProof(key.data(), proof);
    EXPECT_TRUE(CheckKeyProof(key.data(), proof));

    Bytes otherKey = key;
    otherKey[15] ^= 0x02; // not a parity bit
    EXPECT_FALSE(CheckKeyProof(otherKey.data(), proof));
    for (int i = 0; i < keyProofLength; ++i) {
        proof[i] ^= 0x80;
        EXPECT_FALSE(CheckKeyProof(key.data(), proof)) << "byte " << i;
        proof[i] ^= 0x80;
    }
}

} // namespace
