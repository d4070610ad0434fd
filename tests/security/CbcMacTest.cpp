#include "security/CbcMac.h"
#include "security/Encipher.h"
#include "tests/security/OpenSslOracle.h"

#include <gtest/gtest.h>

namespace {

const Bytes macKey = FromHex("0123456789ABCDEF FEDCBA9876543210 89ABCDEF01234567");

std::string Mac(const Bytes& message) {
    unsigned char mac[8];
    TripleDesMac(message.data(), static_cast<int>(message.size()), macKey.data(), mac);
    return ToHex(mac, 8);
}

// ISO 9797-1 padding as this system applies it: 80 00 .. only when not block-aligned.
Bytes Padded(const Bytes& message) {
    Bytes padded = message;
    if (padded.size() % 8 != 0) {
        padded.push_back(0x80);
        while (padded.size() % 8 != 0) {
            padded.push_back(0x00);
        }
    }
    return padded;
}

struct MacCase {
    const char* name;
    size_t length;
    size_t macedBlocks;
};

class TripleDesMacLengths : public testing::TestWithParam<MacCase> {};

TEST_P(TripleDesMacLengths, EqualsLibcryptoCbcOverThePaddedMessage) {
    const Bytes message = RandomBytes(GetParam().length, static_cast<unsigned>(GetParam().length));
    const Bytes padded = Padded(message);
    ASSERT_EQ(padded.size(), 8 * GetParam().macedBlocks);
    EXPECT_EQ(Mac(message), ToHex(OracleTripleDesCbcLastBlock(macKey, padded)));
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, TripleDesMacLengths,
    testing::Values(MacCase{"One", 1, 1}, MacCase{"Five", 5, 1}, MacCase{"Seven", 7, 1},
                    MacCase{"OneBlock", 8, 1}, MacCase{"Nine", 9, 2},
                    MacCase{"TwoBlocksNoPaddingBlock", 16, 2}, MacCase{"Step2Payload", 32, 4},
                    MacCase{"Step3Payload", 48, 6}, MacCase{"Odd", 1021, 128},
                    MacCase{"MaximumUsed", 1024, 128}, MacCase{"BeyondOldWorkBuffer", 5000, 625}),
    [](const testing::TestParamInfo<MacCase>& info) { return info.param.name; });

TEST(TripleDesMac, EightByteMessageIsItsTripleDesEncryption) {
    const Bytes message = RandomBytes(8, 1);
    Bytes encrypted(8);
    CEncipher::TripleDesEncryptBlock(encrypted.data(), message.data(), macKey.data());
    EXPECT_EQ(Mac(message), ToHex(encrypted));
}

TEST(TripleDesMac, FiveByteMessageIsPaddedWith80AndZeros) {
    const Bytes message = FromHex("0102030405");
    EXPECT_EQ(Mac(message), Mac(FromHex("0102030405800000")));
}

TEST(TripleDesMac, SixteenByteMessageGetsNoPaddingBlock) {
    const Bytes message = RandomBytes(16, 2);
    Bytes withPaddingBlock = message;
    withPaddingBlock.insert(withPaddingBlock.end(), {0x80, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(Mac(message), ToHex(OracleTripleDesCbcLastBlock(macKey, message)));
    EXPECT_NE(Mac(message), Mac(withPaddingBlock));
}

TEST(TripleDesMac, EmptyMessageIsThePaddingBlockAlone) {
    unsigned char mac[8];
    TripleDesMac(nullptr, 0, macKey.data(), mac);
    EXPECT_EQ(ToHex(mac, 8), Mac(FromHex("8000000000000000")));
    TripleDesMac(nullptr, -5, macKey.data(), mac);
    EXPECT_EQ(ToHex(mac, 8), Mac(FromHex("8000000000000000")));
}

TEST(TripleDesMac, EveryChangedByteChangesTheMac) {
    const Bytes message = RandomBytes(32, 3);
    const std::string original = Mac(message);
    for (size_t i = 0; i < message.size(); ++i) {
        Bytes changed = message;
        changed[i] ^= 0x01;
        EXPECT_NE(Mac(changed), original) << "byte " << i;
    }
}

} // namespace
