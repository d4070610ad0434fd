#include "tables/AidTable.h"

#include <cstring>
#include <iterator>
#include <string>
#include <string_view>

#include "security/Hex.h"

namespace {

struct AidRow {
    std::string_view aid;
    // Offsets 19 to 24 as stored: first version length and number, second version
    // length and number.
    unsigned char versions[6];
};

constexpr size_t versionsOffset = offsetof(AidEntry, firstVersionLength);
static_assert(offsetof(AidEntry, secondVersion) + sizeof(AidEntry::secondVersion) ==
              versionsOffset + sizeof(AidRow::versions));

// The first five AID bytes are the RID under which the CA key table files the
// scheme's keys (none for Eurocheque, A000000010).
constexpr AidRow aidRows[] = {
    {"A0000000031010", {0x02, 0x00, 0x84, 0x02, 0x00, 0x8C}}, // VISA
    {"A0000000041010", {0x02, 0x00, 0x02, 0x00, 0x00, 0x00}}, // Master
    {"A0000000651010", {0x02, 0x30, 0x36, 0x00, 0x00, 0x00}}, // JCB
    {"D4100000011010", {0x02, 0x00, 0x84, 0x02, 0x00, 0x8C}}, // LOCAL(V)
    {"D4100000012010", {0x02, 0x00, 0x02, 0x00, 0x00, 0x00}}, // LOCAL(M)
    {"A00000002501", {0x02, 0x00, 0x01, 0x00, 0x00, 0x00}},   // AMEX
    {"D4100000012020", {0x00, 0x00, 0x00, 0x00, 0x00, 0x00}}, // DEBIT
    {"A0000000101010", {0x00, 0x00, 0x00, 0x00, 0x00, 0x00}}, // Eurocheque
    {"A0000001523010", {0x02, 0x00, 0x01, 0x00, 0x00, 0x00}}, // DFS
    {"A00000033301", {0x02, 0x00, 0x20, 0x00, 0x00, 0x00}},   // CUP
};

constexpr bool RowsFitTheTable() {
    if (std::size(aidRows) > static_cast<size_t>(aidSlots)) {
        return false;
    }
    for (const AidRow& row : aidRows) {
        if (row.aid.empty() || row.aid.size() % 2 != 0 ||
            row.aid.size() > 2 * sizeof(AidEntry::aid) ||
            row.aid.find_first_not_of("0123456789ABCDEF") != std::string_view::npos) {
            return false;
        }
    }
    return true;
}
static_assert(RowsFitTheTable(), "an AID row does not fit its entry or the table");

} // namespace

void InitAidTable(AidTable& table) {
    std::memset(&table, 0, sizeof table);
    for (size_t slot = 0; slot < std::size(aidRows); ++slot) {
        const AidRow& row = aidRows[slot];
        AidEntry& entry = table.entries[slot];
        HexToBytes(std::string(row.aid), entry.aid);
        entry.flag = 1;
        std::memcpy(reinterpret_cast<unsigned char*>(&entry) + versionsOffset, row.versions,
                    sizeof row.versions);
        entry.aidLength = static_cast<unsigned char>(row.aid.size() / 2);
    }
    table.count = static_cast<uint32_t>(std::size(aidRows));
}
