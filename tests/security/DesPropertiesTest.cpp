// The DES block interface: mode decoding, in-place use, and triple DES against libcrypto.
#include "security/Encipher.h"
#include "tests/security/OpenSslOracle.h"

#include <gtest/gtest.h>

namespace {

const Bytes exampleKey = FromHex("133457799BBCDFF1");
const Bytes examplePlain = FromHex("0123456789ABCDEF");
const Bytes exampleCipher = FromHex("85E813540F0AB405");

struct ModeCase {
    const char* name;
    int mode;
    bool enciphers;
};

class DesMode : public testing::TestWithParam<ModeCase> {};

TEST_P(DesMode, OnlyTheLowByteEqualToOneEnciphers) {
    const Bytes& input = GetParam().enciphers ? examplePlain : exampleCipher;
    const Bytes& expected = GetParam().enciphers ? exampleCipher : examplePlain;
    Bytes out(8);
    CEncipher::DesCrypt(out.data(), input.data(), GetParam().mode, exampleKey.data());
    EXPECT_EQ(ToHex(out), ToHex(expected));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, DesMode,
    testing::Values(ModeCase{"One", 1, true}, ModeCase{"Zero", 0, false}, ModeCase{"Two", 2, false},
                    ModeCase{"HighBitsWithOne", 0x101, true}, ModeCase{"MinusOne", -1, false},
                    ModeCase{"NegativeWithLowByteOne", -255, true},
                    ModeCase{"HighBitsAlone", 0x100, false}),
    [](const testing::TestParamInfo<ModeCase>& info) { return info.param.name; });

TEST(DesInPlace, SameBufferGivesTheSameResultBothWays) {
    Bytes buffer = examplePlain;
    CEncipher::DesCrypt(buffer.data(), buffer.data(), 1, exampleKey.data());
    EXPECT_EQ(ToHex(buffer), ToHex(exampleCipher));
    CEncipher::DesCrypt(buffer.data(), buffer.data(), 0, exampleKey.data());
    EXPECT_EQ(ToHex(buffer), ToHex(examplePlain));
}

TEST(TripleDesInPlace, SameBufferGivesTheSameResultBothWays) {
    const Bytes key24 = RandomBytes(24, 7);
    const Bytes plain = RandomBytes(8, 8);
    Bytes separate(8);
    CEncipher::TripleDesEncryptBlock(separate.data(), plain.data(), key24.data());
    Bytes buffer = plain;
    CEncipher::TripleDesEncryptBlock(buffer.data(), buffer.data(), key24.data());
    EXPECT_EQ(ToHex(buffer), ToHex(separate));
    CEncipher::TripleDesDecryptBlock(buffer.data(), buffer.data(), key24.data());
    EXPECT_EQ(ToHex(buffer), ToHex(plain));
}

// NIST SP 800-67 Rev. 1 example: three independent keys, three blocks in ECB.
TEST(TripleDesKnownAnswer, Sp80067Example) {
    const Bytes key24 = FromHex("0123456789ABCDEF 23456789ABCDEF01 456789ABCDEF0123");
    const Bytes plain = FromHex("5468652071756663 6B2062726F776E20 666F78206A756D70");
    const Bytes cipher = FromHex("A826FD8CE53B855F CCE21C8112256FE6 68D5C05DD9B6B900");
    for (size_t offset = 0; offset < plain.size(); offset += 8) {
        const Bytes plainBlock(plain.begin() + offset, plain.begin() + offset + 8);
        const Bytes cipherBlock(cipher.begin() + offset, cipher.begin() + offset + 8);
        Bytes out(8);
        CEncipher::TripleDesEncryptBlock(out.data(), plainBlock.data(), key24.data());
        EXPECT_EQ(ToHex(out), ToHex(cipherBlock)) << "block at " << offset;
        CEncipher::TripleDesDecryptBlock(out.data(), cipherBlock.data(), key24.data());
        EXPECT_EQ(ToHex(out), ToHex(plainBlock)) << "block at " << offset;
        EXPECT_EQ(ToHex(OracleTripleDesEncrypt(key24, plainBlock)), ToHex(cipherBlock));
    }
}

TEST(TripleDesRandom, ThousandsOfKeysAndBlocksAgreeWithLibcrypto) {
    for (unsigned seed = 0; seed < 3000; ++seed) {
        const Bytes key24 = RandomBytes(24, seed);
        const Bytes block = RandomBytes(8, seed + 100000);
        Bytes encrypted(8);
        Bytes decrypted(8);
        CEncipher::TripleDesEncryptBlock(encrypted.data(), block.data(), key24.data());
        CEncipher::TripleDesDecryptBlock(decrypted.data(), block.data(), key24.data());
        ASSERT_EQ(ToHex(encrypted), ToHex(OracleTripleDesEncrypt(key24, block))) << seed;
        ASSERT_EQ(ToHex(decrypted), ToHex(OracleTripleDesDecrypt(key24, block))) << seed;
    }
}

// A chain where each output is the next input: one wrong round anywhere changes the end.
TEST(DesMonteCarlo, TenThousandChainedBlocksAgreeWithLibcrypto) {
    Bytes key = RandomBytes(8, 42);
    Bytes block = RandomBytes(8, 43);
    Bytes oracleBlock = block;
    for (int i = 0; i < 10000; ++i) {
        CEncipher::DesCrypt(block.data(), block.data(), 1, key.data());
        oracleBlock = OracleDesEncrypt(key, oracleBlock);
        key[i % 8] ^= block[i % 8];
    }
    EXPECT_EQ(ToHex(block), ToHex(oracleBlock));
}

} // namespace
