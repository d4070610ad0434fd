#pragma once

#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

// Strict hexadecimal for test vectors, independent of the code under test: a malformed
// vector fails the test instead of turning into some other bytes.
Bytes FromHex(const std::string& text);
std::string ToHex(const Bytes& bytes);
std::string ToHex(const unsigned char* bytes, size_t count);

// Deterministic pseudo-random bytes, so a failing case can be replayed.
Bytes RandomBytes(size_t count, unsigned seed);
