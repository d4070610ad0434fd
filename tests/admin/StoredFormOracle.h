#pragma once

#include <string>

// The stored form of an 8-byte block computed with OpenSSL: triple-DES
// decryption under "580319425803194258031942", then XOR with "kelto584".
std::string OracleStoredForm(const unsigned char (&block)[8]);

// The zero-filled block of a hexadecimal text of any case, pairs read with the
// C library; an odd last digit is ignored and at most 8 pairs are read.
void HexTextToBlock(const std::string& text, unsigned char (&block)[8]);
