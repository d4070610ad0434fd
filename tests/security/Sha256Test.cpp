#include "security/Sha256.h"
#include "tests/security/OpenSslOracle.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Digest(const Bytes& message) {
    unsigned char digest[32];
    Sha256Digest(message.data(), message.size(), digest);
    return ToHex(digest, 32);
}

Bytes Text(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

struct Sha256Kat {
    const char* name;
    std::string message;
    const char* digest;
};

class Sha256KnownAnswer : public testing::TestWithParam<Sha256Kat> {};

TEST_P(Sha256KnownAnswer, MatchesTheStandardAndLibcrypto) {
    const Bytes message = Text(GetParam().message);
    EXPECT_EQ(Digest(message), GetParam().digest);
    EXPECT_EQ(ToHex(OracleSha256(message)), GetParam().digest) << "the table row is mistyped";
}

// FIPS 180-4 examples (the million 'a' from its additional examples)
INSTANTIATE_TEST_SUITE_P(
    Fips180, Sha256KnownAnswer,
    testing::Values(
        Sha256Kat{"Empty", "", "E3B0C44298FC1C149AFBF4C8996FB92427AE41E4649B934CA495991B7852B855"},
        Sha256Kat{"Abc", "abc", "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD"},
        Sha256Kat{"TwoBlocks448Bits", "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
                  "248D6A61D20638B8E5C026930C3E6039A33CE45964FF2167F6ECEDD419DB06C1"},
        Sha256Kat{"MillionA", std::string(1000000, 'a'),
                  "CDC76E5C9914FB9281A1C7E284D73E67F1809A48A497200E046D39CCC7112CD0"}),
    [](const testing::TestParamInfo<Sha256Kat>& info) { return info.param.name; });

TEST(Sha256Random, EveryLengthUpTo200AndSomeLargerAgreeWithLibcrypto) {
    std::vector<size_t> lengths;
    for (size_t length = 0; length <= 200; ++length) {
        lengths.push_back(length);
    }
    for (size_t length : {1000u, 4095u, 4096u, 65537u}) {
        lengths.push_back(length);
    }
    for (size_t length : lengths) {
        const Bytes message = RandomBytes(length, static_cast<unsigned>(length));
        ASSERT_EQ(Digest(message), ToHex(OracleSha256(message))) << "length " << length;
    }
}

// Lengths around the padding boundaries: 55 bytes still fit the length field in one
// block, 56 do not.
TEST(Sha256Streaming, SplitAtEveryOffsetEqualsOneShot) {
    for (size_t length : {0u, 1u, 55u, 56u, 63u, 64u, 65u, 130u}) {
        const Bytes message = RandomBytes(length, static_cast<unsigned>(length) + 7);
        const std::string oneShot = Digest(message);
        for (size_t split = 0; split <= length; ++split) {
            Sha256 hash;
            hash.Update(message.data(), split);
            hash.Update(message.data() + split, length - split);
            unsigned char digest[32];
            hash.Finish(digest);
            ASSERT_EQ(ToHex(digest, 32), oneShot) << "length " << length << " split " << split;
        }
    }
}

TEST(Sha256Streaming, ByteByByteEqualsOneShot) {
    const Bytes message = RandomBytes(300, 3);
    Sha256 hash;
    for (unsigned char byte : message) {
        hash.Update(&byte, 1);
    }
    unsigned char digest[32];
    hash.Finish(digest);
    EXPECT_EQ(ToHex(digest, 32), Digest(message));
}

TEST(Sha256Streaming, FinishStartsAFreshHash) {
    Sha256 hash;
    const Bytes first = Text("first message");
    hash.Update(first.data(), first.size());
    unsigned char digest[32];
    hash.Finish(digest);
    const Bytes second = Text("abc");
    hash.Update(second.data(), second.size());
    hash.Finish(digest);
    EXPECT_EQ(ToHex(digest, 32), Digest(second));
}

TEST(Sha256Digest, DigestMayOverwriteTheMessage) {
    Bytes buffer = RandomBytes(40, 11);
    const std::string expected = Digest(Bytes(buffer.begin(), buffer.begin() + 32));
    Sha256Digest(buffer.data(), 32, buffer.data());
    EXPECT_EQ(ToHex(buffer.data(), 32), expected);
}

} // namespace
