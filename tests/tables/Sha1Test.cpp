#include "tables/Sha1.h"
#include "tests/support/OpenSslOracle.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

std::string Digest(std::string_view text) {
    CSHA1 sha;
    sha.Update(reinterpret_cast<const unsigned char*>(text.data()),
               static_cast<uint32_t>(text.size()));
    unsigned char digest[CSHA1::digestLength];
    sha.Finish(digest);
    return ToHex(digest);
}

// FIPS 180 examples
TEST(Sha1, KnownAnswers) {
    EXPECT_EQ(Digest(""), "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709");
    EXPECT_EQ(Digest("abc"), "A9993E364706816ABA3E25717850C26C9CD0D89D");
    EXPECT_EQ(Digest("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "84983E441C3BD26EBAAE4AA1F95129E5E54670F1");
    EXPECT_EQ(Digest("abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmn"
                     "opqklmnopqrlmnopqrsmnopqrstnopqrstu"),
              "A49B2446A02C645BF419F995B67091253A04A259");
}

// Lengths around the padding boundaries (55 bytes leave room for 80 and the length, 56 to 63
// spill into a second block) and beyond, in one piece and split anywhere in two around an
// empty update.
TEST(Sha1, OneShotAndEverySplitAgreeWithLibcrypto) {
    for (const uint32_t length : {0, 1, 55, 56, 57, 63, 64, 65, 119, 120, 128, 129, 1000, 5000}) {
        const Bytes message = RandomBytes(length, length);
        const std::string expected = ToHex(OracleDigest("SHA1", message));
        ASSERT_EQ(Digest({reinterpret_cast<const char*>(message.data()), length}), expected)
            << "length " << length;
        for (uint32_t split = 0; split <= length && length <= 129; ++split) {
            CSHA1 sha;
            sha.Update(message.data(), split);
            sha.Update(nullptr, 0);
            sha.Update(message.data() + split, length - split);
            unsigned char digest[CSHA1::digestLength];
            sha.Finish(digest);
            ASSERT_EQ(ToHex(digest), expected) << length << " split at " << split;
        }
    }
}

} // namespace
