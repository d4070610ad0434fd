#include "tables/Sha1.h"

#include <gtest/gtest.h>

#include <memory>
#include <openssl/evp.h>
#include <vector>

#include "tests/tables/TestBytes.h"

namespace {

// Inputs past 2^29 bytes carry bits into the high word of the bit count, and past
// 2^32 bytes the byte count itself wraps into its high word.
struct LongInput {
    const char* name;
    uint64_t length;
};

class Sha1LongInput : public testing::TestWithParam<LongInput> {};

TEST_P(Sha1LongInput, MatchesOracle) {
    std::vector<unsigned char> chunk(1 << 20);
    for (size_t i = 0; i < chunk.size(); ++i) {
        chunk[i] = static_cast<unsigned char>(i * 31 + 7);
    }
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> oracle(EVP_MD_CTX_new(),
                                                                   EVP_MD_CTX_free);
    ASSERT_EQ(EVP_DigestInit_ex(oracle.get(), EVP_sha1(), nullptr), 1);
    CSHA1 sha;
    for (uint64_t left = GetParam().length; left > 0;) {
        // An odd chunk length keeps the buffered part moving through every offset.
        const auto piece = static_cast<uint32_t>(std::min<uint64_t>(left, chunk.size() - 3));
        sha.Update(chunk.data(), piece);
        ASSERT_EQ(EVP_DigestUpdate(oracle.get(), chunk.data(), piece), 1);
        left -= piece;
    }
    unsigned char digest[CSHA1::digestLength];
    sha.Finish(digest);
    Sha1Digest expected{};
    ASSERT_EQ(EVP_DigestFinal_ex(oracle.get(), expected.data(), nullptr), 1);
    EXPECT_EQ(ToHex(digest, sizeof digest), ToHex(expected.data(), expected.size()));
}

INSTANTIATE_TEST_SUITE_P(CountWords, Sha1LongInput,
                         testing::Values(LongInput{"BitCountHighWord", (uint64_t{1} << 29) + 3},
                                         LongInput{"ByteCountHighWord", (uint64_t{1} << 32) + 7}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
