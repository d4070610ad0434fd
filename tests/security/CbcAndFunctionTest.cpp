#include "security/Cbc.h"
#include "security/Encipher.h"
#include "security/Function.h"
#include "tests/security/OpenSslOracle.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CFunction, HoldsTheBuiltInValuesWithoutTerminator) {
    const CFunction function;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(function.initVector), 8), "kelto584");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(function.tripleKey), 24),
              "580319425803194258031942");
    EXPECT_EQ(sizeof(function.initVector), 8u);
    EXPECT_EQ(sizeof(function.tripleKey), 24u);
}

TEST(CbcDecryptBlock, IsTripleDesDecryptionXoredWithTheChainingValue) {
    const CFunction function;
    const Bytes key24(function.tripleKey, function.tripleKey + 24);
    for (unsigned seed = 0; seed < 200; ++seed) {
        const Bytes input = RandomBytes(8, seed);
        Bytes output(8);
        EXPECT_EQ(
            CbcDecryptBlock(function.initVector, input.data(), output.data(), function.tripleKey),
            0);
        Bytes expected = OracleTripleDesDecrypt(key24, input);
        for (int i = 0; i < 8; ++i) {
            expected[i] ^= function.initVector[i];
        }
        ASSERT_EQ(ToHex(output), ToHex(expected)) << seed;
    }
}

TEST(CbcDecryptBlock, InverseReturnsTheInput) {
    const CFunction function;
    const Bytes input = RandomBytes(8, 5);
    Bytes block(8);
    CbcDecryptBlock(function.initVector, input.data(), block.data(), function.tripleKey);
    for (int i = 0; i < 8; ++i) {
        block[i] ^= function.initVector[i];
    }
    CEncipher::TripleDesEncryptBlock(block.data(), block.data(), function.tripleKey);
    EXPECT_EQ(ToHex(block), ToHex(input));
}

TEST(CbcDecryptBlock, InPlaceGivesTheSameResult) {
    const CFunction function;
    const Bytes input = RandomBytes(8, 6);
    Bytes separate(8);
    CbcDecryptBlock(function.initVector, input.data(), separate.data(), function.tripleKey);
    Bytes buffer = input;
    CbcDecryptBlock(function.initVector, buffer.data(), buffer.data(), function.tripleKey);
    EXPECT_EQ(ToHex(buffer), ToHex(separate));
}

} // namespace
