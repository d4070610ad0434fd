#include "tables/CaPublicKeyTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "security/Hex.h"
#include "tests/tables/TestBytes.h"

namespace {

constexpr unsigned char pattern = 0xA5;

// A table whose every byte shows whether anything wrote to it.
std::unique_ptr<CaPublicKeyTable> PatternedTable() {
    auto table = std::make_unique<CaPublicKeyTable>();
    std::memset(table.get(), pattern, sizeof *table);
    return table;
}

bool Untouched(const CaPublicKeyEntry& entry) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&entry);
    return std::all_of(bytes, bytes + sizeof entry, [](unsigned char b) { return b == pattern; });
}

const std::string modulus512 = "C26B3CB3833E42D8270DC10C8999B2DA18106838650DA0DBF154EFD51100AD14"
                               "4741B2A87D6881F8630E3348DEA3F78038E9B21A697EB2A6716D32CBF26086F1";

struct RefusedCase {
    const char* name;
    std::string rid;
    std::string exponentHex;
    std::string modulusHex;
    int32_t slot;
};

const RefusedCase refusedCases[] = {
    {"SlotMinusOne", "A000000003", "03", modulus512, -1},
    {"Slot100", "A000000003", "03", modulus512, 100},
    {"SlotFarAway", "A000000003", "03", modulus512, 1 << 30},
    {"RidNineCharacters", "A00000000", "03", modulus512, 0},
    {"RidElevenCharacters", "A0000000031", "03", modulus512, 0},
    {"RidEmpty", "", "03", modulus512, 0},
    {"ExponentOddLength", "A000000003", "010", modulus512, 0},
    {"ModulusOddLength", "A000000003", "03", modulus512 + "F", 0},
    {"Modulus514Characters", "A000000003", "03", std::string(514, 'F'), 0},
    {"Exponent514Characters", "A000000003", std::string(514, 'F'), modulus512, 0},
};

class SetCaPublicKeyRefused : public testing::TestWithParam<RefusedCase> {};

TEST_P(SetCaPublicKeyRefused, ReturnsFalseAndWritesNothing) {
    auto table = PatternedTable();
    const auto before = std::make_unique<CaPublicKeyTable>(*table);
    const RefusedCase& c = GetParam();
    EXPECT_FALSE(SetCaPublicKey(*table, 512, 0x90, c.rid, c.exponentHex, c.modulusHex, c.slot));
    EXPECT_EQ(std::memcmp(table.get(), before.get(), sizeof *table), 0);
}

INSTANTIATE_TEST_SUITE_P(OutOfLimits, SetCaPublicKeyRefused, testing::ValuesIn(refusedCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SetCaPublicKey, WritesOnlyItsOwnSlot) {
    auto table = PatternedTable();
    ASSERT_TRUE(SetCaPublicKey(*table, 512, 0x90, "A000000003", "03", modulus512, 5));
    for (int slot = 0; slot < caPublicKeySlots; ++slot) {
        EXPECT_EQ(Untouched(table->entries[slot]), slot != 5) << "slot " << slot;
    }
    uint32_t patternCount;
    std::memset(&patternCount, pattern, sizeof patternCount);
    EXPECT_EQ(table->count, patternCount);
}

// The entry is written over, not cleared: what lies in front of the values and in the
// reserved bytes comes from the table's clearing, and the check value covers it.
TEST(SetCaPublicKey, KeepsWhatItDoesNotWriteAndHashesIt) {
    auto table = PatternedTable();
    ASSERT_TRUE(SetCaPublicKey(*table, 512, 0x90, "A000000003", "03", modulus512, 0));
    const auto& entry = table->entries[0];
    EXPECT_EQ(entry.reserved7, pattern);
    EXPECT_EQ(entry.modulus[0], pattern);
    EXPECT_EQ(entry.exponent[254], pattern);
    EXPECT_EQ(entry.reserved544[0], pattern);
    const Sha1Digest check = OpenSslSha1(reinterpret_cast<const unsigned char*>(&entry),
                                         offsetof(CaPublicKeyEntry, checkValue));
    EXPECT_EQ(ToHex(entry.checkValue, 20), ToHex(check.data(), check.size()));
}

TEST(SetCaPublicKey, Full2048BitModulusFillsTheWholeField) {
    auto table = std::make_unique<CaPublicKeyTable>();
    std::vector<unsigned char> bytes(256);
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<unsigned char>(255 - i);
    }
    const std::string modulus = ToHex(bytes.data(), bytes.size());
    ASSERT_TRUE(SetCaPublicKey(*table, 2048, 0x01, "A000000003", "03", modulus, 0));
    const auto& entry = table->entries[0];
    EXPECT_EQ(ToHex(entry.modulus, sizeof entry.modulus), modulus);
    EXPECT_EQ(entry.exponent[255], 0x03);
    EXPECT_EQ(ToHex(entry.modulusBits, 4), "00080000");
}

TEST(SetCaPublicKey, EmptyExponentAndModulusWriteNoValueBytes) {
    auto table = std::make_unique<CaPublicKeyTable>();
    ASSERT_TRUE(SetCaPublicKey(*table, 0, 0x01, "A000000003", "", "", 99));
    const auto& entry = table->entries[99];
    EXPECT_EQ(entry.inUse, caPublicKeyInUse);
    EXPECT_TRUE(std::all_of(std::begin(entry.modulus), std::end(entry.exponent),
                            [](unsigned char b) { return b == 0; }));
}

// Texts that are not hexadecimal are not refused; they convert as HexToBytes says.
TEST(SetCaPublicKey, ConvertsNonHexCharactersAsHexToBytesDoes) {
    auto table = std::make_unique<CaPublicKeyTable>();
    ASSERT_TRUE(SetCaPublicKey(*table, 512, 0x90, "A00000000z", "zz", modulus512, 0));
    unsigned char rid[5];
    unsigned char exponent[1];
    ASSERT_EQ(HexToBytes("A00000000z", rid), 5);
    ASSERT_EQ(HexToBytes("zz", exponent), 1);
    const auto& entry = table->entries[0];
    EXPECT_EQ(ToHex(entry.rid, 5), ToHex(rid, 5));
    EXPECT_EQ(entry.exponent[255], exponent[0]);
}

} // namespace
