#pragma once

#include <string>
#include <vector>

// The CA key list TSV the program's list was generated from, as committed beside the
// tests: slot, RID, key index, bits, exponent, modulus, source.
struct KeyListCopyRow {
    int slot;
    std::string rid;
    std::string keyIndex;
    int bits;
    std::string exponent;
    std::string modulus;
    std::string source;
};

std::vector<KeyListCopyRow> ReadKeyListCopy();
