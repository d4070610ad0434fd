#include "security/KeyProof.h"
#include "tests/security/Support.h"

#include <gtest/gtest.h>

namespace {

// Two-key triple DES (K1 K2 K1) on each plaintext half separately, by libcrypto.
TEST(KeyProof, IsTwoKeyTripleDesOfEachPlaintextHalfAndChecksTheRightKeyOnly) {
    const Bytes plain = FromHex(keyProofPlaintext);
    for (unsigned seed = 0; seed < 50; ++seed) {
        const Bytes key = RandomBytes(16, seed);
        const Bytes key24 = Concat(key, Slice(key, 0, 8));
        unsigned char proof[keyProofLength];
        BuildKeyProof(key.data(), proof);
        ASSERT_EQ(ToHex(proof, keyProofLength), ToHex(Concat(OracleDes(key24, Slice(plain, 0, 8)),
                                                             OracleDes(key24, Slice(plain, 8, 8)))))
            << seed;
        EXPECT_TRUE(CheckKeyProof(key.data(), proof)) << seed;
    }
    const Bytes key = RandomBytes(16, 78);
    unsigned char proof[keyProofLength];
    BuildKeyProof(key.data(), proof);
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
