#pragma once

#include "tests/security/TestBytes.h"

// libcrypto as an independent second implementation: every answer of the code under test
// is compared with it.

Bytes OracleDesEncrypt(const Bytes& key8, const Bytes& block8);
Bytes OracleTripleDesEncrypt(const Bytes& key24, const Bytes& block8);
Bytes OracleTripleDesDecrypt(const Bytes& key24, const Bytes& block8);
// Triple-DES CBC with a zero start value over message (a multiple of 8 bytes); the last
// cipher block is the CBC-MAC.
Bytes OracleTripleDesCbcLastBlock(const Bytes& key24, const Bytes& message);
Bytes OracleSha256(const Bytes& message);
