#include "tables/CaPublicKeyTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

#include "tables/CaPublicKeyList.h"
#include "tests/tables/KeyListCopy.h"
#include "tests/tables/TestBytes.h"

namespace {

constexpr size_t checkedLength = offsetof(CaPublicKeyEntry, checkValue);
constexpr size_t modulusEnd = offsetof(CaPublicKeyEntry, exponent);
constexpr size_t exponentEnd = offsetof(CaPublicKeyEntry, checkValue);

using EntryImage = std::array<unsigned char, sizeof(CaPublicKeyEntry)>;

const CaPublicKeyTable& FilledTable() {
    static const auto table = [] {
        auto filled = std::make_unique<CaPublicKeyTable>();
        InitCaPublicKeyTable(*filled);
        return filled;
    }();
    return *table;
}

EntryImage ImageOf(const CaPublicKeyEntry& entry) {
    EntryImage image;
    std::memcpy(image.data(), &entry, image.size());
    return image;
}

// The entry as it must be, built from the key list copy without the program's code:
// right-aligned big-endian fields, little-endian bit count, libcrypto's SHA-1.
EntryImage ExpectedImage(const KeyListCopyRow& row) {
    EntryImage image{};
    image[0] = 0x31;
    const auto rid = ParseHex(row.rid);
    std::copy(rid.begin(), rid.end(), image.begin() + 1);
    image[6] = ParseHex(row.keyIndex).at(0);
    for (int i = 0; i < 4; ++i) {
        image[8 + i] = static_cast<unsigned char>(static_cast<uint32_t>(row.bits) >> (8 * i));
    }
    const auto modulus = ParseHex(row.modulus);
    std::copy(modulus.begin(), modulus.end(), image.begin() + modulusEnd - modulus.size());
    const auto exponent = ParseHex(row.exponent);
    std::copy(exponent.begin(), exponent.end(), image.begin() + exponentEnd - exponent.size());
    const Sha1Digest check = OpenSslSha1(image.data(), checkedLength);
    std::copy(check.begin(), check.end(), image.begin() + checkedLength);
    return image;
}

bool AllZero(const unsigned char* bytes, size_t from, size_t to) {
    return std::all_of(bytes + from, bytes + to, [](unsigned char b) { return b == 0; });
}

TEST(CaPublicKeyTable, CountsTheSeventySixKeys) {
    EXPECT_EQ(FilledTable().count, 76u);
}

TEST(CaPublicKeyTable, FillingOverOldContentsGivesTheSameTable) {
    auto dirty = std::make_unique<CaPublicKeyTable>();
    std::memset(dirty.get(), 0xA5, sizeof *dirty);
    InitCaPublicKeyTable(*dirty);
    EXPECT_EQ(std::memcmp(dirty.get(), &FilledTable(), sizeof *dirty), 0);
}

TEST(CaPublicKeyTable, UnusedSlotsStayEntirelyZero) {
    for (int slot = 76; slot < caPublicKeySlots; ++slot) {
        const auto image = ImageOf(FilledTable().entries[slot]);
        EXPECT_TRUE(AllZero(image.data(), 0, image.size())) << "slot " << slot;
    }
}

// Every filled slot against an image built independently from the key list copy.
class CaPublicKeyEntryImage : public testing::TestWithParam<KeyListCopyRow> {};

TEST_P(CaPublicKeyEntryImage, MatchesTheIndependentImage) {
    const KeyListCopyRow& row = GetParam();
    const auto actual = ImageOf(FilledTable().entries[row.slot]);
    EXPECT_EQ(ToHex(actual.data(), actual.size()), ToHex(ExpectedImage(row).data(), actual.size()));
}

INSTANTIATE_TEST_SUITE_P(KeyList, CaPublicKeyEntryImage, testing::ValuesIn(ReadKeyListCopy()),
                         [](const auto& info) {
                             return "Slot" + std::to_string(info.param.slot) + "_" +
                                    info.param.rid + "_" + info.param.keyIndex;
                         });

TEST(CaPublicKeyEntry, Slot0ModulusOf512BitsSitsAtTheEndOfItsField) {
    const auto& entry = FilledTable().entries[0];
    const auto image = ImageOf(entry);
    EXPECT_TRUE(AllZero(image.data(), 12, 204));
    EXPECT_EQ(ToHex(image.data() + 204, 64), ReadKeyListCopy().at(0).modulus);
    EXPECT_EQ(ToHex(image.data() + 8, 4), "00020000");
}

TEST(CaPublicKeyEntry, ExponentThreeIsOneByteAtTheEnd) {
    const auto image = ImageOf(FilledTable().entries[0]);
    EXPECT_TRUE(AllZero(image.data(), 268, 523));
    EXPECT_EQ(image[523], 0x03);
}

TEST(CaPublicKeyEntry, Slot1Exponent010001EndsAtOffset523) {
    const auto image = ImageOf(FilledTable().entries[1]);
    EXPECT_TRUE(AllZero(image.data(), 268, 521));
    EXPECT_EQ(ToHex(image.data() + 521, 3), "010001");
}

TEST(CaPublicKeyEntry, A1984BitModulusLeavesEightLeadingZeros) {
    for (int slot : {1, 11, 17, 22, 29, 33, 38, 42, 46, 49, 59, 68, 74, 75}) {
        const auto image = ImageOf(FilledTable().entries[slot]);
        EXPECT_EQ(ToHex(image.data() + 8, 4), "C0070000") << "slot " << slot;
        EXPECT_TRUE(AllZero(image.data(), 12, 20)) << "slot " << slot;
        EXPECT_GE(image[20], 0x80) << "slot " << slot;
    }
}

TEST(CaPublicKeyEntry, Slot12LowerCaseModulusGivesTheUpperCaseBytes) {
    const CaPublicKeyRow& row = CaPublicKeyList()[12];
    ASSERT_EQ(row.modulusHex.find_first_of("ABCDEF"), std::string_view::npos);
    ASSERT_NE(row.modulusHex.find_first_of("abcdef"), std::string_view::npos);

    auto upperCase = std::make_unique<CaPublicKeyTable>();
    ASSERT_TRUE(SetCaPublicKey(*upperCase, row.bits, row.keyIndex, std::string(row.rid),
                               std::string(row.exponentHex), ToUpper(row.modulusHex), 12));
    EXPECT_EQ(ImageOf(upperCase->entries[12]), ImageOf(FilledTable().entries[12]));
}

struct SharedModulus {
    int slot;
    int sameAs;
};

class CaPublicKeySharedModulus : public testing::TestWithParam<SharedModulus> {};

TEST_P(CaPublicKeySharedModulus, SameModulusDifferentCheckValue) {
    const auto& entry = FilledTable().entries[GetParam().slot];
    const auto& other = FilledTable().entries[GetParam().sameAs];
    EXPECT_EQ(std::memcmp(entry.modulus, other.modulus, sizeof entry.modulus), 0);
    EXPECT_NE(std::memcmp(entry.checkValue, other.checkValue, sizeof entry.checkValue), 0);
}

INSTANTIATE_TEST_SUITE_P(Pairs, CaPublicKeySharedModulus,
                         testing::Values(SharedModulus{61, 27}, SharedModulus{62, 28},
                                         SharedModulus{69, 52}, SharedModulus{70, 53},
                                         SharedModulus{73, 60}),
                         [](const auto& info) {
                             return "Slot" + std::to_string(info.param.slot) + "_Slot" +
                                    std::to_string(info.param.sameAs);
                         });

// The check value covers all of offsets 0 to 523, so any change there must show.
TEST(CaPublicKeyCheckValue, ChangesWhenAnyCheckedByteChanges) {
    const auto stored = ImageOf(FilledTable().entries[0]);
    const Sha1Digest recomputed = OpenSslSha1(stored.data(), checkedLength);
    ASSERT_TRUE(std::equal(recomputed.begin(), recomputed.end(), stored.begin() + checkedLength));
    for (size_t offset = 0; offset < checkedLength; ++offset) {
        auto changed = stored;
        changed[offset] ^= 0x01;
        const Sha1Digest digest = OpenSslSha1(changed.data(), checkedLength);
        ASSERT_FALSE(std::equal(digest.begin(), digest.end(), stored.begin() + checkedLength))
            << "offset " << offset;
    }
}

TEST(CaPublicKeyCheckValue, DependsOnTheReservedByteAndTheBitCountByteOrder) {
    const auto stored = ImageOf(FilledTable().entries[3]);
    const auto checkOf = [](const EntryImage& image) {
        const Sha1Digest digest = OpenSslSha1(image.data(), checkedLength);
        return ToHex(digest.data(), digest.size());
    };
    ASSERT_EQ(checkOf(stored), ToHex(stored.data() + checkedLength, 20));

    auto reservedSet = stored;
    reservedSet[7] = 0x01;
    EXPECT_NE(checkOf(reservedSet), checkOf(stored));

    auto bigEndianBits = stored;
    std::reverse(bigEndianBits.begin() + 8, bigEndianBits.begin() + 12);
    EXPECT_NE(checkOf(bigEndianBits), checkOf(stored));
}

TEST(CaPublicKeyEntry, TrailingReservedBytesStayZero) {
    for (int slot = 0; slot < 76; ++slot) {
        const auto image = ImageOf(FilledTable().entries[slot]);
        EXPECT_EQ(image[7], 0) << "slot " << slot;
        EXPECT_TRUE(AllZero(image.data(), 544, 548)) << "slot " << slot;
    }
}

} // namespace
