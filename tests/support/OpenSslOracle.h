#pragma once

#include "tests/support/HexBytes.h"

// libcrypto as an independent second implementation; it is linked into tests only.

// Triple DES under K1 K2 K3 = key, or single DES for an 8-byte key, over whole blocks
// without padding; with cbc the chaining starts from zero.
Bytes OracleDes(const Bytes& key, const Bytes& data, bool encrypt = true, bool cbc = false);
// name: "SHA1" or "SHA256"
Bytes OracleDigest(const char* name, const Bytes& message);
