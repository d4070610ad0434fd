#pragma once

#include <cstddef>
#include <cstdint>

// The main window's table of EMV application identifiers, filled once while the
// window initialises, right after the CA public key table. Nothing reads it; its
// contents are its only behaviour.

struct AidEntry {
    unsigned char aidLength; // AID bytes in use
    unsigned char aid[16];   // left-aligned, zero after the AID
    unsigned char flag;      // 1 in every filled entry
    unsigned char reserved18;
    // EMV application version numbers, most significant byte first; a length of 0
    // with 00 00 means the version is absent.
    unsigned char firstVersionLength;
    unsigned char firstVersion[2];
    unsigned char secondVersionLength;
    unsigned char secondVersion[2];
    unsigned char reserved25[4];
};

static_assert(sizeof(AidEntry) == 29);
static_assert(offsetof(AidEntry, aid) == 1);
static_assert(offsetof(AidEntry, flag) == 17);
static_assert(offsetof(AidEntry, reserved18) == 18);
static_assert(offsetof(AidEntry, firstVersionLength) == 19);
static_assert(offsetof(AidEntry, firstVersion) == 20);
static_assert(offsetof(AidEntry, secondVersionLength) == 22);
static_assert(offsetof(AidEntry, secondVersion) == 23);
static_assert(offsetof(AidEntry, reserved25) == 25);

inline constexpr int32_t aidSlots = 15;

struct AidTable {
    AidEntry entries[aidSlots];
    uint32_t count;
};

// Clears all slots, writes the ten fixed applications into slots 0 to 9 and sets the
// count to 10.
void InitAidTable(AidTable& table);
