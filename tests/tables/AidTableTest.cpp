#include "tables/AidTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "tests/tables/TestBytes.h"

namespace {

const AidTable& FilledTable() {
    static const AidTable table = [] {
        AidTable filled;
        std::memset(&filled, 0xA5, sizeof filled);
        InitAidTable(filled);
        return filled;
    }();
    return table;
}

std::string ImageHex(const AidEntry& entry) {
    return ToHex(reinterpret_cast<const unsigned char*>(&entry), sizeof entry);
}

// Each entry as its bytes: the AID length, the 16-byte AID field, the flag 01, the
// reserved 00, both version fields with their lengths, and four reserved zero bytes.
struct AidCase {
    const char* name;
    int slot;
    const char* aidLength;
    const char* aidField;
    const char* versions;
};

const AidCase aidCases[] = {
    {"Visa", 0, "07", "A0000000031010000000000000000000", "02008402008C"},
    {"Master", 1, "07", "A0000000041010000000000000000000", "020002000000"},
    {"Jcb", 2, "07", "A0000000651010000000000000000000", "023036000000"},
    {"LocalV", 3, "07", "D4100000011010000000000000000000", "02008402008C"},
    {"LocalM", 4, "07", "D4100000012010000000000000000000", "020002000000"},
    {"Amex", 5, "06", "A0000000250100000000000000000000", "020001000000"},
    {"Debit", 6, "07", "D4100000012020000000000000000000", "000000000000"},
    {"Eurocheque", 7, "07", "A0000000101010000000000000000000", "000000000000"},
    {"Dfs", 8, "07", "A0000001523010000000000000000000", "020001000000"},
    {"Cup", 9, "06", "A0000003330100000000000000000000", "020020000000"},
};

class AidEntryImage : public testing::TestWithParam<AidCase> {};

TEST_P(AidEntryImage, HoldsExactlyItsBytes) {
    const AidCase& c = GetParam();
    const std::string expected =
        std::string(c.aidLength) + c.aidField + "01" + "00" + c.versions + "00000000";
    EXPECT_EQ(ImageHex(FilledTable().entries[c.slot]), expected);
}

INSTANTIATE_TEST_SUITE_P(Applications, AidEntryImage, testing::ValuesIn(aidCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AidTable, CountsTenApplications) {
    EXPECT_EQ(FilledTable().count, 10u);
}

TEST(AidTable, UnusedSlotsStayEntirelyZero) {
    for (int slot = 10; slot < aidSlots; ++slot) {
        EXPECT_EQ(ImageHex(FilledTable().entries[slot]), std::string(2 * sizeof(AidEntry), '0'))
            << "slot " << slot;
    }
}

TEST(AidTable, AidBytesPastTheLengthAreZero) {
    for (int slot = 0; slot < 10; ++slot) {
        const AidEntry& entry = FilledTable().entries[slot];
        ASSERT_TRUE(entry.aidLength == 6 || entry.aidLength == 7) << "slot " << slot;
        EXPECT_TRUE(std::all_of(entry.aid + entry.aidLength, std::end(entry.aid),
                                [](unsigned char b) { return b == 0; }))
            << "slot " << slot;
    }
}

TEST(AidTable, ReservedBytesAreZeroAndFlagIsSet) {
    for (int slot = 0; slot < 10; ++slot) {
        const AidEntry& entry = FilledTable().entries[slot];
        EXPECT_EQ(entry.flag, 1) << "slot " << slot;
        EXPECT_EQ(entry.reserved18, 0) << "slot " << slot;
        EXPECT_EQ(ToHex(entry.reserved25, 4), "00000000") << "slot " << slot;
    }
}

TEST(AidTable, DebitAndEurochequeCarryNoVersions) {
    for (int slot : {6, 7}) {
        const AidEntry& entry = FilledTable().entries[slot];
        EXPECT_EQ(entry.firstVersionLength, 0) << "slot " << slot;
        EXPECT_EQ(entry.secondVersionLength, 0) << "slot " << slot;
        EXPECT_EQ(ToHex(entry.firstVersion, 2) + ToHex(entry.secondVersion, 2), "00000000")
            << "slot " << slot;
    }
}

} // namespace
