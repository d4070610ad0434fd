#include "tests/tables/KeyListCopy.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

std::vector<KeyListCopyRow> ReadKeyListCopy() {
    std::ifstream file(TABLES_TEST_DATA_DIR "/emv-ca-keys.tsv");
    if (!file) {
        throw std::runtime_error("cannot open " TABLES_TEST_DATA_DIR "/emv-ca-keys.tsv");
    }
    std::vector<KeyListCopyRow> rows;
    std::string line;
    std::getline(file, line); // column names
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        KeyListCopyRow row;
        std::string slot, bits;
        if (!std::getline(fields, slot, '\t') || !std::getline(fields, row.rid, '\t') ||
            !std::getline(fields, row.keyIndex, '\t') || !std::getline(fields, bits, '\t') ||
            !std::getline(fields, row.exponent, '\t') || !std::getline(fields, row.modulus, '\t') ||
            !std::getline(fields, row.source)) {
            throw std::runtime_error("malformed key list line: " + line);
        }
        row.slot = std::stoi(slot);
        row.bits = std::stoi(bits);
        rows.push_back(row);
    }
    return rows;
}
