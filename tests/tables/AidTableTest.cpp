#include "tables/AidTable.h"
#include "tests/support/HexBytes.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Filled over old contents. Each entry as its bytes: the AID length and the AID left-aligned
// in 16 bytes, the flag 01, a reserved 00, both version fields with their lengths, and four
// reserved zeros. The unused slots are entirely zero.
TEST(AidTable, HoldsTheTenApplicationsByteForByteAndNothingElse) {
    const struct {
        const char* name;
        const char* lengthAndAid;
        const char* versions;
    } rows[] = {{"Visa", "07A0000000031010", "02008402008C"},
                {"Master", "07A0000000041010", "020002000000"},
                {"Jcb", "07A0000000651010", "023036000000"},
                {"LocalV", "07D4100000011010", "02008402008C"},
                {"LocalM", "07D4100000012010", "020002000000"},
                {"Amex", "06A00000002501", "020001000000"},
                {"Debit", "07D4100000012020", "000000000000"},
                {"Eurocheque", "07A0000000101010", "000000000000"},
                {"Dfs", "07A0000001523010", "020001000000"},
                {"Cup", "06A00000033301", "020020000000"}};
    AidTable table;
    std::memset(&table, 0xA5, sizeof table);
    InitAidTable(table);
    EXPECT_EQ(table.count, 10u);
    for (size_t slot = 0; slot < aidSlots; ++slot) {
        const bool used = slot < std::size(rows);
        SCOPED_TRACE(used ? rows[slot].name : "unused slot " + std::to_string(slot));
        const std::string expected =
            used ? (rows[slot].lengthAndAid + std::string(34, '0')).substr(0, 34) + "0100" +
                       rows[slot].versions + "00000000"
                 : std::string(2 * sizeof(AidEntry), '0');
        const auto* entry = reinterpret_cast<const unsigned char*>(&table.entries[slot]);
        EXPECT_EQ(ToHex({entry, sizeof(AidEntry)}), expected);
    }
}

} // namespace
