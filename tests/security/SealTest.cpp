#include "security/Seal.h"
#include "tests/security/TestBytes.h"

#include <gtest/gtest.h>

namespace {

const Bytes cipherKey = RandomBytes(24, 21);
const Bytes macKey = RandomBytes(24, 22);
const SealKeys keys{cipherKey.data(), macKey.data()};

TEST(Seal, OpensInPlaceToThePlainBlocksAndSealsInPlaceAlike) {
    const Bytes plain = RandomBytes(48, 23);
    Bytes sealed(48 + sealMacLength);
    SealBlocks(plain.data(), 6, keys, sealed.data());

    Bytes buffer = plain;
    buffer.resize(48 + sealMacLength);
    SealBlocks(buffer.data(), 6, keys, buffer.data());
    EXPECT_EQ(buffer, sealed);

    ASSERT_TRUE(OpenSealedBlocks(buffer.data(), 6, keys, buffer.data()));
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 48), plain);
}

TEST(Seal, EqualPlainBlocksGiveEqualCipherBlocks) {
    // ECB: no chaining between the blocks of one message
    const Bytes block = RandomBytes(8, 24);
    Bytes plain = block;
    plain.insert(plain.end(), block.begin(), block.end());
    Bytes sealed(16 + sealMacLength);
    SealBlocks(plain.data(), 2, keys, sealed.data());
    EXPECT_EQ(Bytes(sealed.begin(), sealed.begin() + 8),
              Bytes(sealed.begin() + 8, sealed.begin() + 16));
}

TEST(Seal, EveryFlippedBitIsRefusedBeforeAnythingIsWritten) {
    const Bytes plain = RandomBytes(16, 25);
    Bytes sealed(16 + sealMacLength);
    SealBlocks(plain.data(), 2, keys, sealed.data());
    for (size_t bit = 0; bit < 8 * sealed.size(); ++bit) {
        Bytes damaged = sealed;
        damaged[bit / 8] ^= static_cast<unsigned char>(1 << (bit % 8));
        Bytes out(16, 0x3C);
        ASSERT_FALSE(OpenSealedBlocks(damaged.data(), 2, keys, out.data())) << "bit " << bit;
        ASSERT_EQ(out, Bytes(16, 0x3C)) << "bit " << bit;
    }
}

} // namespace
