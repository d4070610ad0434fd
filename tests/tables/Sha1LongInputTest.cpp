#include "tables/Sha1.h"
#include "tests/support/HexBytes.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <memory>

namespace {

// Hashes length bytes, an odd piece length moving the buffered part through every offset.
void ExpectLibcryptoDigest(uint64_t length) {
    const Bytes piece = RandomBytes((1 << 20) - 3, 1);
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> oracle(EVP_MD_CTX_new(),
                                                                   EVP_MD_CTX_free);
    ASSERT_EQ(EVP_DigestInit_ex(oracle.get(), EVP_sha1(), nullptr), 1);
    CSHA1 sha;
    for (uint64_t left = length; left > 0;) {
        const auto size = static_cast<uint32_t>(std::min<uint64_t>(left, piece.size()));
        sha.Update(piece.data(), size);
        ASSERT_EQ(EVP_DigestUpdate(oracle.get(), piece.data(), size), 1);
        left -= size;
    }
    unsigned char digest[CSHA1::digestLength], expected[EVP_MAX_MD_SIZE];
    sha.Finish(digest);
    ASSERT_EQ(EVP_DigestFinal_ex(oracle.get(), expected, nullptr), 1);
    EXPECT_EQ(ToHex(digest), ToHex({expected, CSHA1::digestLength})) << length;
}

// Past 2^29 bytes the bit count needs its high word (half a gibibyte: quick enough for
// every run).
TEST(Sha1LongInput, BitCountPastItsLowWordAsLibcryptoDoes) {
    ExpectLibcryptoDigest((uint64_t{1} << 29) + 3);
}

// Past 2^32 bytes the byte count wraps into its own high word.
TEST(Sha1LongInput, ByteCountPastItsLowWordAsLibcryptoDoes) {
    ExpectLibcryptoDigest((uint64_t{1} << 32) + 7);
}

} // namespace
