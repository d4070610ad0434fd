// see CounterKey.h
#include "security/CounterKey.h"

#include "security/Bytes.h"
#include "security/Sha256.h"

#include <cstring>

void DeriveCounterKey(const unsigned char* secret16, uint32_t counter, unsigned char* key24) {
    unsigned char message[counterKeySecretLength + 4];
    std::memcpy(message, secret16, counterKeySecretLength);
    StoreBigEndian32(counter, message + counterKeySecretLength);
    unsigned char digest[32];
    Sha256Digest(message, sizeof(message), digest);
    std::memcpy(key24, digest, tripleDesKeyLength);
}
