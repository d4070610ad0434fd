#include "tables/CaPublicKeyTable.h"

#include <cstring>

#include "security/Hex.h"
#include "tables/CaPublicKeyList.h"
#include "tables/Sha1.h"

namespace {

// Big-endian hexadecimal text written so that its last byte lands on the field's last.
template <size_t FieldSize>
void StoreRightAligned(std::string text, unsigned char (&field)[FieldSize]) {
    const size_t byteCount = text.size() / 2;
    HexToBytes(std::move(text), field + (FieldSize - byteCount));
}

} // namespace

bool SetCaPublicKey(CaPublicKeyTable& table, int32_t bits, unsigned char keyIndex, std::string rid,
                    std::string exponentHex, std::string modulusHex, int32_t slot) {
    if (!FitsCaPublicKeyEntry(rid, exponentHex, modulusHex, slot)) {
        return false;
    }
    CaPublicKeyEntry& entry = table.entries[slot];
    entry.inUse = caPublicKeyInUse;
    HexToBytes(std::move(rid), entry.rid);
    const auto unsignedBits = static_cast<uint32_t>(bits);
    entry.modulusBits[0] = static_cast<unsigned char>(unsignedBits);
    entry.modulusBits[1] = static_cast<unsigned char>(unsignedBits >> 8);
    entry.modulusBits[2] = static_cast<unsigned char>(unsignedBits >> 16);
    entry.modulusBits[3] = static_cast<unsigned char>(unsignedBits >> 24);
    entry.keyIndex = keyIndex;
    StoreRightAligned(std::move(exponentHex), entry.exponent);
    StoreRightAligned(std::move(modulusHex), entry.modulus);

    CSHA1 sha;
    sha.Update(reinterpret_cast<const unsigned char*>(&entry),
               offsetof(CaPublicKeyEntry, checkValue));
    sha.Finish(entry.checkValue);
    return true;
}

void InitCaPublicKeyTable(CaPublicKeyTable& table) {
    std::memset(&table, 0, sizeof table);
    const std::span<const CaPublicKeyRow> rows = CaPublicKeyList();
    for (size_t slot = 0; slot < rows.size(); ++slot) {
        const CaPublicKeyRow& row = rows[slot];
        if (SetCaPublicKey(table, row.bits, row.keyIndex, std::string(row.rid),
                           std::string(row.exponentHex), std::string(row.modulusHex),
                           static_cast<int32_t>(slot))) {
            ++table.count;
        }
    }
}
