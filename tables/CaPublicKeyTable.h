#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The main window's table of EMV certification authority public keys. It is filled
// once while the window initialises and nothing reads it afterwards; its contents
// are its only behaviour, so the entry image is fixed byte for byte.

// The first 524 bytes are the input of the check value, so every byte of them binds:
// marker, reserved byte, little-endian bit count and the zeros in front of modulus
// and exponent included. This is not the EMV CA key check sum.
struct CaPublicKeyEntry {
    unsigned char inUse; // 0x31 ('1') in a filled slot, 0 in an empty one
    unsigned char rid[5];
    unsigned char keyIndex;
    unsigned char reserved7;
    unsigned char modulusBits[4]; // little-endian on every host
    unsigned char modulus[256];   // big-endian, right-aligned behind zero bytes
    unsigned char exponent[256];  // big-endian, right-aligned behind zero bytes
    unsigned char checkValue[20]; // SHA-1 of offsets 0 to 523
    unsigned char reserved544[4];
};

static_assert(sizeof(CaPublicKeyEntry) == 548);
static_assert(offsetof(CaPublicKeyEntry, rid) == 1);
static_assert(offsetof(CaPublicKeyEntry, keyIndex) == 6);
static_assert(offsetof(CaPublicKeyEntry, reserved7) == 7);
static_assert(offsetof(CaPublicKeyEntry, modulusBits) == 8);
static_assert(offsetof(CaPublicKeyEntry, modulus) == 12);
static_assert(offsetof(CaPublicKeyEntry, exponent) == 268);
static_assert(offsetof(CaPublicKeyEntry, checkValue) == 524);
static_assert(offsetof(CaPublicKeyEntry, reserved544) == 544);

inline constexpr unsigned char caPublicKeyInUse = 0x31;
inline constexpr int32_t caPublicKeySlots = 100;

struct CaPublicKeyTable {
    CaPublicKeyEntry entries[caPublicKeySlots];
    uint32_t count;
};

// What an entry can hold: a 10-character RID, exponent and modulus texts of an even
// number of at most 512 characters (256 bytes), a slot inside the table.
constexpr bool FitsCaPublicKeyEntry(std::string_view rid, std::string_view exponentHex,
                                    std::string_view modulusHex, int32_t slot) {
    return rid.size() == 2 * sizeof(CaPublicKeyEntry::rid) && exponentHex.size() % 2 == 0 &&
           exponentHex.size() <= 2 * sizeof(CaPublicKeyEntry::exponent) &&
           modulusHex.size() % 2 == 0 &&
           modulusHex.size() <= 2 * sizeof(CaPublicKeyEntry::modulus) && slot >= 0 &&
           slot < caPublicKeySlots;
}

// Clears all slots, writes the fixed key list into slots 0 to 75 and sets the count
// to the number of entries written (76: the list is checked when it is compiled).
void InitCaPublicKeyTable(CaPublicKeyTable& table);

// Writes one key into its slot on top of the cleared entry and seals it with the
// check value. Returns false and changes nothing when the texts or the slot do not
// fit the entry (FitsCaPublicKeyEntry). Characters that are not hexadecimal digits
// are converted as HexToBytes converts them.
[[nodiscard]] bool SetCaPublicKey(CaPublicKeyTable& table, int32_t bits, unsigned char keyIndex,
                                  std::string rid, std::string exponentHex, std::string modulusHex,
                                  int32_t slot);
