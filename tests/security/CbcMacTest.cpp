// TripleDesMac, the seal built on it, and CBC decryption under the built-in function.
#include "security/CbcMac.h"
#include "security/Cbc.h"
#include "security/Function.h"
#include "security/Seal.h"
#include "tests/security/Support.h"

#include <gtest/gtest.h>

namespace {

const Bytes macKey = FromHex("0123456789ABCDEF FEDCBA9876543210 89ABCDEF01234567");

std::string Mac(const Bytes& message, int length) {
    unsigned char mac[8];
    TripleDesMac(message.empty() ? nullptr : message.data(), length, macKey.data(), mac);
    return ToHex(mac, 8);
}

// 80 00 .. padding only when not block-aligned, then libcrypto CBC: lengths around the
// block boundaries, the step payloads, and beyond the old 1024-byte work buffer.
TEST(TripleDesMac, EqualsLibcryptoCbcOverTheOnlyIfNeededPaddedMessage) {
    for (size_t length : {1u, 5u, 7u, 8u, 9u, 16u, 32u, 48u, 1021u, 1024u, 5000u}) {
        SCOPED_TRACE(length);
        const Bytes message = RandomBytes(length, static_cast<unsigned>(length));
        Bytes padded = message;
        if (length % 8 != 0) {
            padded.push_back(0x80);
            padded.resize((length / 8 + 1) * 8, 0x00);
        }
        EXPECT_EQ(Mac(message, static_cast<int>(length)),
                  ToHex(OracleTripleDesCbcLastBlock(macKey, padded)));
    }
    // an empty (or negative) length is the padding block alone
    EXPECT_EQ(Mac({}, 0), Mac(FromHex("8000000000000000"), 8));
    EXPECT_EQ(Mac({}, -5), Mac(FromHex("8000000000000000"), 8));
}

TEST(Seal, OpensInPlaceToThePlainBlocksAndSealsInPlaceAlike) {
    const Bytes cipherKey = RandomBytes(24, 21), sealMacKey = RandomBytes(24, 22);
    const SealKeys keys{cipherKey.data(), sealMacKey.data()};
    const Bytes plain = RandomBytes(16, 23);
    Bytes sealed(16 + sealMacLength);
    SealBlocks(plain.data(), 2, keys, sealed.data());
    Bytes buffer = plain;
    buffer.resize(sealed.size());
    SealBlocks(buffer.data(), 2, keys, buffer.data());
    EXPECT_EQ(buffer, sealed);
    ASSERT_TRUE(OpenSealedBlocks(buffer.data(), 2, keys, buffer.data()));
    EXPECT_EQ(Slice(buffer, 0, 16), plain);

    // every flipped bit is refused before anything is written
    for (size_t bit = 0; bit < 8 * sealed.size(); ++bit) {
        Bytes damaged = sealed;
        damaged[bit / 8] ^= static_cast<unsigned char>(1 << (bit % 8));
        Bytes out(16, 0x3C);
        ASSERT_FALSE(OpenSealedBlocks(damaged.data(), 2, keys, out.data())) << "bit " << bit;
        ASSERT_EQ(out, Bytes(16, 0x3C)) << "bit " << bit;
    }
}

TEST(CbcDecryptBlock, IsTripleDesDecryptionXoredWithTheChainingValueAlsoInPlace) {
    const CFunction function;
    const Bytes key24(function.tripleKey, function.tripleKey + 24);
    for (unsigned seed = 0; seed < 200; ++seed) {
        Bytes buffer = RandomBytes(8, seed);
        Bytes expected = OracleDes(key24, buffer, false);
        for (int i = 0; i < 8; ++i) {
            expected[i] ^= function.initVector[i];
        }
        Bytes output(8);
        EXPECT_EQ(
            CbcDecryptBlock(function.initVector, buffer.data(), output.data(), function.tripleKey),
            0);
        ASSERT_EQ(ToHex(output), ToHex(expected)) << seed;
        CbcDecryptBlock(function.initVector, buffer.data(), buffer.data(), function.tripleKey);
        ASSERT_EQ(ToHex(buffer), ToHex(expected)) << seed;
    }
}

} // namespace
