#pragma once

#include <cstdint>

constexpr int counterKeySecretLength = 16;
constexpr int tripleDesKeyLength = 24;

// key24 = the first 24 bytes of SHA-256(secret16 || counter as 4 bytes big-endian).
// Both the authentication keys and the key pair of the last authentication step are
// formed this way.
void DeriveCounterKey(const unsigned char* secret16, uint32_t counter, unsigned char* key24);
