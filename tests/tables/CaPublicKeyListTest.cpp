#include "tables/CaPublicKeyList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "tests/tables/KeyListCopy.h"
#include "tests/tables/TestBytes.h"

namespace {

TEST(CaPublicKeyList, MatchesTheKeyListItWasGeneratedFrom) {
    const auto copy = ReadKeyListCopy();
    const auto list = CaPublicKeyList();
    ASSERT_EQ(list.size(), copy.size());
    for (size_t slot = 0; slot < list.size(); ++slot) {
        const CaPublicKeyRow& row = list[slot];
        const KeyListCopyRow& expected = copy[slot];
        SCOPED_TRACE("slot " + std::to_string(slot));
        EXPECT_EQ(expected.slot, static_cast<int>(slot));
        EXPECT_EQ(row.rid, expected.rid);
        EXPECT_EQ(row.keyIndex, std::stoi(expected.keyIndex, nullptr, 16));
        EXPECT_EQ(row.bits, expected.bits);
        EXPECT_EQ(row.exponentHex, expected.exponent);
        EXPECT_EQ(ToUpper(row.modulusHex), expected.modulus);
        EXPECT_EQ(row.isPlaceholder, expected.source.starts_with("PLACEHOLDER"));
    }
}

TEST(CaPublicKeyList, OnlySlot12PassesItsModulusInLowerCase) {
    const auto list = CaPublicKeyList();
    for (size_t slot = 0; slot < list.size(); ++slot) {
        const bool lowerCase = ToUpper(list[slot].modulusHex) != list[slot].modulusHex;
        EXPECT_EQ(lowerCase, slot == 12) << "slot " << slot;
    }
}

TEST(CaPublicKeyList, KeysPerRid) {
    std::map<std::string_view, int> keys;
    for (const CaPublicKeyRow& row : CaPublicKeyList()) {
        ++keys[row.rid];
    }
    const std::map<std::string_view, int> expected = {
        {"A000000003", 12}, {"A000000004", 12}, {"A000000065", 10}, {"A000000025", 9},
        {"D410000001", 16}, {"A000000152", 9},  {"A000000333", 8}};
    EXPECT_EQ(keys, expected);
}

// The D410000001 scheme publishes no keys: its rows, and only they, are fillers.
TEST(CaPublicKeyList, PlaceholdersAreExactlyTheUnpublishedScheme) {
    for (const CaPublicKeyRow& row : CaPublicKeyList()) {
        EXPECT_EQ(row.isPlaceholder, row.rid == "D410000001")
            << row.rid << " " << int{row.keyIndex};
    }
}

// A sound 512-bit row, each case breaking one rule the list must keep.
constexpr std::string_view sound512 =
    "C26B3CB3833E42D8270DC10C8999B2DA18106838650DA0DBF154EFD51100AD14"
    "4741B2A87D6881F8630E3348DEA3F78038E9B21A697EB2A6716D32CBF26086F1";
constexpr std::string_view topBitClear512 =
    "726B3CB3833E42D8270DC10C8999B2DA18106838650DA0DBF154EFD51100AD14"
    "4741B2A87D6881F8630E3348DEA3F78038E9B21A697EB2A6716D32CBF26086F1";
constexpr std::string_view nonHex512 =
    "C26B3CB3833E42D8270DC10C8999B2DA18106838650DA0DBF154EFD51100AD14"
    "4741B2A87D6881F8630E3348DEA3F78038E9B21A697EB2A6716D32CBF26086G1";
const std::string full2048 = "8" + std::string(511, '0');
const std::string tooLong = "8" + std::string(513, '0');

struct RowCase {
    const char* name;
    CaPublicKeyRow row;
    int32_t slot;
    bool sound;
};

const RowCase rowCases[] = {
    {"Sound", {"A000000003", 0x90, 512, "03", sound512, false}, 0, true},
    {"SoundLowerCase",
     {"a000000003", 0x90, 512, "010001",
      "c26b3cb3833e42d8270dc10c8999b2da18106838650da0dbf154efd51100ad144741b2a87d6881f8630e3348dea3"
      "f78038e9b21a697eb2a6716d32cbf26086f1",
      false},
     99,
     true},
    {"Sound2048Bits", {"A000000003", 0x90, 2048, "03", full2048, false}, 0, true},
    {"SlotPastTheTable", {"A000000003", 0x90, 512, "03", sound512, false}, 100, false},
    {"NegativeSlot", {"A000000003", 0x90, 512, "03", sound512, false}, -1, false},
    {"RidTooShort", {"A00000003", 0x90, 512, "03", sound512, false}, 0, false},
    {"RidTooLong", {"A0000000031", 0x90, 512, "03", sound512, false}, 0, false},
    {"RidNotHex", {"A00000000Z", 0x90, 512, "03", sound512, false}, 0, false},
    {"ExponentEmpty", {"A000000003", 0x90, 512, "", sound512, false}, 0, false},
    {"ExponentOdd", {"A000000003", 0x90, 512, "3", sound512, false}, 0, false},
    {"ExponentNotHex", {"A000000003", 0x90, 512, "0x", sound512, false}, 0, false},
    {"BitsDisagreeWithModulus", {"A000000003", 0x90, 520, "03", sound512, false}, 0, false},
    {"BitsNotWholeBytes", {"A000000003", 0x90, 514, "03", sound512, false}, 0, false},
    {"ModulusTopBitClear", {"A000000003", 0x90, 512, "03", topBitClear512, false}, 0, false},
    {"ModulusNotHex", {"A000000003", 0x90, 512, "03", nonHex512, false}, 0, false},
    {"ModulusPastTheField", {"A000000003", 0x90, 2056, "03", tooLong, false}, 0, false},
    {"ExponentPastTheField", {"A000000003", 0x90, 512, tooLong, sound512, false}, 0, false},
};

class CaPublicKeyRowSoundness : public testing::TestWithParam<RowCase> {};

TEST_P(CaPublicKeyRowSoundness, Judged) {
    EXPECT_EQ(IsSoundCaPublicKeyRow(GetParam().row, GetParam().slot), GetParam().sound);
}

INSTANTIATE_TEST_SUITE_P(Rows, CaPublicKeyRowSoundness, testing::ValuesIn(rowCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CaPublicKeyRowSoundness, FirstUnsoundRowIsNamed) {
    const CaPublicKeyRow good = {"A000000003", 0x90, 512, "03", sound512, false};
    const CaPublicKeyRow bad = {"A000000003", 0x90, 512, "3", sound512, false};
    const CaPublicKeyRow rows[] = {good, good, bad, good, bad};
    EXPECT_EQ(FirstUnsoundCaPublicKeyRow(std::span(rows).first(2)), -1);
    EXPECT_EQ(FirstUnsoundCaPublicKeyRow(rows), 2);
    EXPECT_EQ(FirstUnsoundCaPublicKeyRow(CaPublicKeyList()), -1);
}

TEST(CaPublicKeyRowSoundness, MoreRowsThanSlotsAreRefused) {
    const std::vector<CaPublicKeyRow> rows(
        caPublicKeySlots + 1, CaPublicKeyRow{"A000000003", 0x90, 512, "03", sound512, false});
    EXPECT_EQ(FirstUnsoundCaPublicKeyRow(rows), caPublicKeySlots);
}

} // namespace
