#include "security/Sha256.h"
#include "tests/security/Support.h"

#include <gtest/gtest.h>

namespace {

std::string Digest(const Bytes& message) {
    unsigned char digest[32];
    Sha256Digest(message.data(), message.size(), digest);
    return ToHex(digest, 32);
}

// FIPS 180-4 examples (the million 'a' from its additional examples)
TEST(Sha256, KnownAnswersMatchTheStandardAndLibcrypto) {
    const struct {
        std::string message;
        const char* digest;
    } kats[] = {{"", "E3B0C44298FC1C149AFBF4C8996FB92427AE41E4649B934CA495991B7852B855"},
                {"abc", "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD"},
                {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
                 "248D6A61D20638B8E5C026930C3E6039A33CE45964FF2167F6ECEDD419DB06C1"},
                {std::string(1000000, 'a'),
                 "CDC76E5C9914FB9281A1C7E284D73E67F1809A48A497200E046D39CCC7112CD0"}};
    for (const auto& kat : kats) {
        SCOPED_TRACE(kat.message.substr(0, 8));
        const Bytes message(kat.message.begin(), kat.message.end());
        EXPECT_EQ(Digest(message), kat.digest);
        EXPECT_EQ(ToHex(OracleSha256(message)), kat.digest) << "the table row is mistyped";
    }
}

TEST(Sha256, EveryLengthUpTo200AndSomeLargerAgreeWithLibcrypto) {
    std::vector<size_t> lengths = {1000, 4095, 4096, 65537};
    for (size_t length = 0; length <= 200; ++length) {
        lengths.push_back(length);
    }
    for (size_t length : lengths) {
        const Bytes message = RandomBytes(length, static_cast<unsigned>(length));
        ASSERT_EQ(Digest(message), ToHex(OracleSha256(message))) << "length " << length;
    }
}

// Lengths around the padding boundaries: 55 bytes still fit the length field in one
// block, 56 do not.
TEST(Sha256, StreamingInAnySplitEqualsOneShotAndFinishStartsAFreshHash) {
    unsigned char digest[32];
    for (size_t length : {0u, 1u, 55u, 56u, 63u, 64u, 65u, 130u}) {
        const Bytes message = RandomBytes(length, static_cast<unsigned>(length) + 7);
        for (size_t split = 0; split <= length; ++split) {
            Sha256 hash;
            hash.Update(message.data(), split);
            hash.Update(message.data() + split, length - split);
            hash.Finish(digest);
            ASSERT_EQ(ToHex(digest, 32), Digest(message)) << length << " split " << split;
        }
    }
    Sha256 hash;
    const Bytes message = RandomBytes(300, 3);
    for (unsigned char byte : message) {
        hash.Update(&byte, 1);
    }
    hash.Finish(digest);
    EXPECT_EQ(ToHex(digest, 32), Digest(message));
    hash.Update(message.data(), 3);
    hash.Finish(digest);
    EXPECT_EQ(ToHex(digest, 32), Digest(Slice(message, 0, 3)));
}

TEST(Sha256, DigestMayOverwriteTheMessage) {
    Bytes buffer = RandomBytes(40, 11);
    const std::string expected = Digest(Slice(buffer, 0, 32));
    Sha256Digest(buffer.data(), 32, buffer.data());
    EXPECT_EQ(ToHex(buffer.data(), 32), expected);
}

} // namespace
