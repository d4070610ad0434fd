#include "security/Sha256.h"
#include "tests/support/OpenSslOracle.h"

#include <gtest/gtest.h>

namespace {

std::string Digest(std::string_view text) {
    unsigned char digest[32];
    Sha256Digest(reinterpret_cast<const unsigned char*>(text.data()), text.size(), digest);
    return ToHex(digest);
}

// FIPS 180-4 examples
TEST(Sha256, KnownAnswers) {
    EXPECT_EQ(Digest(""), "E3B0C44298FC1C149AFBF4C8996FB92427AE41E4649B934CA495991B7852B855");
    EXPECT_EQ(Digest("abc"), "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD");
    EXPECT_EQ(Digest("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248D6A61D20638B8E5C026930C3E6039A33CE45964FF2167F6ECEDD419DB06C1");
}

// 55 bytes leave room for 80 and the length field, 56 do not; longer messages in one piece.
// The one hash object serves every split in two: after Finish it starts over.
TEST(Sha256, OneShotAndEverySplitAgreeWithLibcrypto) {
    unsigned char digest[32];
    Sha256 hash;
    for (const size_t length : {0, 1, 55, 56, 63, 64, 65, 130, 1000, 4096, 65537}) {
        const Bytes message = RandomBytes(length, static_cast<unsigned>(length));
        const std::string expected = ToHex(OracleDigest("SHA256", message));
        ASSERT_EQ(Digest({reinterpret_cast<const char*>(message.data()), length}), expected);
        for (size_t split = 0; split <= length && length <= 130; ++split) {
            hash.Update(message.data(), split);
            hash.Update(message.data() + split, length - split);
            hash.Finish(digest);
            ASSERT_EQ(ToHex(digest), expected) << length << " split at " << split;
        }
    }
}

} // namespace
