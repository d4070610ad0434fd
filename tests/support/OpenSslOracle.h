#pragma once

#include "tests/support/HexBytes.h"

// libcrypto, the independent oracle (tests only): triple DES under K1 K2 K3 without padding,
// CBC from zero; an 8-byte key is single DES as three equal keys (the default provider has no
// single-DES cipher).
Bytes OracleDes(const Bytes& key, const Bytes& data, bool encrypt = true, bool cbc = false);
Bytes OracleDigest(const char* sha1OrSha256, const Bytes& message);
