#pragma once

#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

// Strict hexadecimal for test vectors, independent of the code under test (spaces allowed).
Bytes FromHex(const std::string& text);
std::string ToHex(const unsigned char* bytes, size_t count);
inline std::string ToHex(const Bytes& bytes) {
    return ToHex(bytes.data(), bytes.size());
}
Bytes Concat(Bytes a, const Bytes& b);
Bytes Slice(const Bytes& bytes, size_t offset, size_t count);
// Deterministic pseudo-random bytes, so a failing case can be replayed.
Bytes RandomBytes(size_t count, unsigned seed);

// libcrypto as an independent second implementation. A 24-byte key is K1 K2 K3; an 8-byte
// key is single DES.
Bytes OracleDes(const Bytes& key, const Bytes& block8, bool encrypt = true);
// Triple-DES CBC with a zero start value over whole blocks; the last block is the CBC-MAC.
Bytes OracleTripleDesCbcLastBlock(const Bytes& key24, const Bytes& message);
Bytes OracleSha256(const Bytes& message);
