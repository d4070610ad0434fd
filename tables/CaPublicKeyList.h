#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "tables/CaPublicKeyTable.h"

// One row of the fixed key list: what SetCaPublicKey is given for one slot.
struct CaPublicKeyRow {
    std::string_view rid;
    unsigned char keyIndex;
    int32_t bits;
    std::string_view exponentHex;
    std::string_view modulusHex;
    // True for a size-correct filler standing in for a key no public list holds;
    // such a row must be replaced with the scheme's published key before deployment.
    bool isPlaceholder;
};

// The fixed key list in slot order (row k goes into slot k).
std::span<const CaPublicKeyRow> CaPublicKeyList();

constexpr bool IsAllHexDigits(std::string_view text) {
    return text.find_first_not_of("0123456789ABCDEFabcdef") == std::string_view::npos;
}

// A row is sound when it fits its slot's entry, is made of hexadecimal digits only,
// has a non-empty exponent and a modulus of exactly the stated number of bits: bits/4
// characters with the top bit of the first byte set.
constexpr bool IsSoundCaPublicKeyRow(const CaPublicKeyRow& row, int32_t slot) {
    const std::string_view modulus = row.modulusHex;
    return FitsCaPublicKeyEntry(row.rid, row.exponentHex, modulus, slot) &&
           IsAllHexDigits(row.rid) && IsAllHexDigits(row.exponentHex) && IsAllHexDigits(modulus) &&
           !row.exponentHex.empty() && row.bits > 0 && row.bits % 8 == 0 &&
           modulus.size() == static_cast<size_t>(row.bits / 4) &&
           modulus.find_first_of("89ABCDEFabcdef") == 0;
}

// The index of the first unsound row, or -1 when every row is sound.
constexpr int32_t FirstUnsoundCaPublicKeyRow(std::span<const CaPublicKeyRow> rows) {
    for (size_t slot = 0; slot < rows.size(); ++slot) {
        if (!IsSoundCaPublicKeyRow(rows[slot], static_cast<int32_t>(slot))) {
            return static_cast<int32_t>(slot);
        }
    }
    return -1;
}
