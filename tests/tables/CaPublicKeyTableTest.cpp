#include "tables/CaPublicKeyTable.h"
#include "tables/CaPublicKeyList.h"
#include "tests/support/OpenSslOracle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

constexpr size_t modulusEnd = offsetof(CaPublicKeyEntry, exponent);
constexpr size_t checkedLength = offsetof(CaPublicKeyEntry, checkValue);

Bytes Image(const CaPublicKeyEntry& entry) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&entry);
    return Bytes(bytes, bytes + sizeof entry);
}

// The entry as it must be over what it held before, built without the program's code: marker
// 31, RID, key index, the bit count little-endian, modulus and exponent big-endian at the end
// of their fields, then libcrypto's SHA-1 of all that.
Bytes ExpectedImage(Bytes image, std::string_view rid, unsigned char keyIndex, uint32_t bits,
                    std::string_view exponentHex, std::string_view modulusHex) {
    const Bytes exponent = FromHex(std::string(exponentHex));
    const Bytes modulus = FromHex(std::string(modulusHex));
    image[0] = 0x31;
    std::ranges::copy(FromHex(std::string(rid)), image.begin() + 1);
    image[6] = keyIndex;
    for (size_t i = 0; i < 4; ++i) {
        image[8 + i] = static_cast<unsigned char>(bits >> (8 * i));
    }
    std::ranges::copy(modulus, image.begin() + static_cast<long>(modulusEnd - modulus.size()));
    std::ranges::copy(exponent, image.begin() + static_cast<long>(checkedLength - exponent.size()));
    std::ranges::copy(OracleDigest("SHA1", Slice(image, 0, checkedLength)),
                      image.begin() + checkedLength);
    return image;
}

TEST(CaPublicKeyTable, FilledOverOldContentsHoldsEveryListedKeyAndZerosElsewhere) {
    auto table = std::make_unique<CaPublicKeyTable>();
    std::memset(table.get(), 0xA5, sizeof *table);
    InitCaPublicKeyTable(*table);
    const auto list = CaPublicKeyList();
    ASSERT_EQ(list.size(), 76u);
    EXPECT_EQ(table->count, 76u);
    const Bytes zeros(sizeof(CaPublicKeyEntry), 0);
    for (size_t slot = 0; slot < caPublicKeySlots; ++slot) {
        SCOPED_TRACE("slot " + std::to_string(slot));
        const CaPublicKeyRow* row = slot < list.size() ? &list[slot] : nullptr;
        EXPECT_EQ(ToHex(Image(table->entries[slot])),
                  ToHex(row ? ExpectedImage(zeros, row->rid, row->keyIndex, row->bits,
                                            row->exponentHex, row->modulusHex)
                            : zeros));
    }
}

// A 2048-bit modulus and a 256-byte exponent fill their fields. The entry is written over,
// not cleared, and the check value covers what was left there; nothing else changes. Texts or
// slots that do not fit are refused without writing anything.
TEST(SetCaPublicKey, WritesItsOwnEntryOnlyOverWhatItHeldOrRefusesWritingNothing) {
    auto table = std::make_unique<CaPublicKeyTable>();
    std::memset(table.get(), 0xA5, sizeof *table);
    const auto before = std::make_unique<CaPublicKeyTable>(*table);
    const std::string modulus = std::string("F").append(ToHex(RandomBytes(256, 1)), 1);
    for (const std::string& exponent : {std::string("010001"), ToHex(RandomBytes(256, 2))}) {
        ASSERT_TRUE(SetCaPublicKey(*table, 2048, 0x92, "a000000003", exponent, modulus, 5));
        EXPECT_EQ(ToHex(Image(table->entries[5])),
                  ToHex(ExpectedImage(Image(before->entries[5]), "A000000003", 0x92, 2048, exponent,
                                      modulus)));
        std::memcpy(&table->entries[5], &before->entries[5], sizeof(CaPublicKeyEntry));
        EXPECT_EQ(std::memcmp(table.get(), before.get(), sizeof *table), 0);
    }
    const std::string tooLong(514, 'F');
    const struct {
        const char* name;
        std::string rid, exponent, modulus;
        int32_t slot;
    } refused[] = {
        {"slot -1", "A000000003", "03", modulus, -1},
        {"slot 100", "A000000003", "03", modulus, 100},
        {"9-character RID", "A00000000", "03", modulus, 0},
        {"11-character RID", "A0000000031", "03", modulus, 0},
        {"odd exponent", "A000000003", "010", modulus, 0},
        {"odd modulus", "A000000003", "03", modulus + "F", 0},
        {"257-byte modulus", "A000000003", "03", tooLong, 0},
        {"257-byte exponent", "A000000003", tooLong, modulus, 0},
    };
    for (const auto& c : refused) {
        EXPECT_FALSE(SetCaPublicKey(*table, 2048, 0x90, c.rid, c.exponent, c.modulus, c.slot))
            << c.name;
        EXPECT_EQ(std::memcmp(table.get(), before.get(), sizeof *table), 0) << c.name;
    }
}

} // namespace
