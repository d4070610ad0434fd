#include "tables/Sha1.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/tables/TestBytes.h"

namespace {

std::string DigestHex(const unsigned char* data, size_t length) {
    CSHA1 sha;
    sha.Update(data, static_cast<uint32_t>(length));
    unsigned char digest[CSHA1::digestLength];
    sha.Finish(digest);
    return ToHex(digest, sizeof digest);
}

std::string OracleHex(const std::vector<unsigned char>& data) {
    const Sha1Digest digest = OpenSslSha1(data.data(), data.size());
    return ToHex(digest.data(), digest.size());
}

std::vector<unsigned char> Repeat(std::string_view text, size_t times) {
    std::vector<unsigned char> bytes;
    bytes.reserve(text.size() * times);
    for (size_t i = 0; i < times; ++i) {
        bytes.insert(bytes.end(), text.begin(), text.end());
    }
    return bytes;
}

std::vector<unsigned char> PatternedBytes(size_t length, uint32_t seed) {
    std::mt19937 generator(seed);
    std::vector<unsigned char> bytes(length);
    for (auto& byte : bytes) {
        byte = static_cast<unsigned char>(generator());
    }
    return bytes;
}

// FIPS 180-2 appendix A and the NIST example values for SHA-1.
struct Sha1Kat {
    const char* name;
    std::string_view unit;
    size_t repeat;
    const char* digest;
};

const Sha1Kat sha1Kats[] = {
    {"Empty", "", 1, "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709"},
    {"Abc", "abc", 1, "A9993E364706816ABA3E25717850C26C9CD0D89D"},
    {"Message448Bits", "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", 1,
     "84983E441C3BD26EBAAE4AA1F95129E5E54670F1"},
    {"Message896Bits",
     "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnop"
     "q"
     "rsmnopqrstnopqrstu",
     1, "A49B2446A02C645BF419F995B67091253A04A259"},
    {"MillionA", "a", 1000000, "34AA973CD4C4DAA4F61EEB2BDBAD27316534016F"},
};

class Sha1KnownAnswer : public testing::TestWithParam<Sha1Kat> {};

TEST_P(Sha1KnownAnswer, OneUpdate) {
    const auto message = Repeat(GetParam().unit, GetParam().repeat);
    EXPECT_EQ(DigestHex(message.data(), message.size()), GetParam().digest);
}

TEST_P(Sha1KnownAnswer, OneUpdatePerUnit) {
    CSHA1 sha;
    for (size_t i = 0; i < GetParam().repeat; ++i) {
        sha.Update(reinterpret_cast<const unsigned char*>(GetParam().unit.data()),
                   static_cast<uint32_t>(GetParam().unit.size()));
    }
    unsigned char digest[CSHA1::digestLength];
    sha.Finish(digest);
    EXPECT_EQ(ToHex(digest, sizeof digest), GetParam().digest);
}

INSTANTIATE_TEST_SUITE_P(Fips180, Sha1KnownAnswer, testing::ValuesIn(sha1Kats),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Sha1, NeverUpdatedGivesTheEmptyDigest) {
    CSHA1 sha;
    unsigned char digest[CSHA1::digestLength];
    sha.Finish(digest);
    EXPECT_EQ(ToHex(digest, sizeof digest), "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709");
}

TEST(Sha1, EmptyUpdatesChangeNothing) {
    const std::vector<unsigned char> message = PatternedBytes(100, 7);
    CSHA1 sha;
    sha.Update(message.data(), 0);
    sha.Update(message.data(), 30);
    sha.Update(nullptr, 0);
    sha.Update(message.data() + 30, 70);
    sha.Update(message.data(), 0);
    unsigned char digest[CSHA1::digestLength];
    sha.Finish(digest);
    EXPECT_EQ(ToHex(digest, sizeof digest), OracleHex(message));
}

// Around the padding boundaries: 55 bytes leave room for 0x80 and the length, 56 to
// 63 spill into a second block, 64 and 65 fill a whole block first.
class Sha1AgainstOracle : public testing::TestWithParam<size_t> {};

TEST_P(Sha1AgainstOracle, OneUpdate) {
    const auto message = PatternedBytes(GetParam(), static_cast<uint32_t>(GetParam()));
    EXPECT_EQ(DigestHex(message.data(), message.size()), OracleHex(message));
}

TEST_P(Sha1AgainstOracle, ByteByByte) {
    const auto message = PatternedBytes(GetParam(), static_cast<uint32_t>(GetParam()));
    CSHA1 sha;
    for (unsigned char byte : message) {
        sha.Update(&byte, 1);
    }
    unsigned char digest[CSHA1::digestLength];
    sha.Finish(digest);
    EXPECT_EQ(ToHex(digest, sizeof digest), OracleHex(message));
}

std::string LengthName(const testing::TestParamInfo<size_t>& info) {
    return "Length" + std::to_string(info.param);
}

INSTANTIATE_TEST_SUITE_P(BlockBoundaries, Sha1AgainstOracle,
                         testing::Values(0, 1, 55, 56, 57, 63, 64, 65, 119, 120, 127, 128, 129),
                         LengthName);

std::vector<size_t> RandomLengths() {
    std::mt19937 generator(180);
    std::uniform_int_distribution<size_t> length(0, 5000);
    std::vector<size_t> lengths;
    while (lengths.size() < 60) {
        lengths.push_back(length(generator));
    }
    return lengths;
}

INSTANTIATE_TEST_SUITE_P(RandomLengths, Sha1AgainstOracle, testing::ValuesIn(RandomLengths()),
                         [](const auto& info) {
                             return "Case" + std::to_string(info.index) + "_" + LengthName(info);
                         });

// Every way to cut a message of a little over two blocks into two or three Update
// calls gives the one-shot digest.
TEST(Sha1Split, EveryTwoPartSplit) {
    const auto message = PatternedBytes(150, 42);
    const std::string expected = OracleHex(message);
    for (uint32_t cut = 0; cut <= message.size(); ++cut) {
        CSHA1 sha;
        sha.Update(message.data(), cut);
        sha.Update(message.data() + cut, static_cast<uint32_t>(message.size()) - cut);
        unsigned char digest[CSHA1::digestLength];
        sha.Finish(digest);
        ASSERT_EQ(ToHex(digest, sizeof digest), expected) << "cut at " << cut;
    }
}

TEST(Sha1Split, EveryThreePartSplit) {
    const auto message = PatternedBytes(140, 43);
    const std::string expected = OracleHex(message);
    const auto size = static_cast<uint32_t>(message.size());
    for (uint32_t first = 0; first <= size; ++first) {
        for (uint32_t second = first; second <= size; ++second) {
            CSHA1 sha;
            sha.Update(message.data(), first);
            sha.Update(message.data() + first, second - first);
            sha.Update(message.data() + second, size - second);
            unsigned char digest[CSHA1::digestLength];
            sha.Finish(digest);
            ASSERT_EQ(ToHex(digest, sizeof digest), expected)
                << "cuts at " << first << " and " << second;
        }
    }
}

} // namespace
