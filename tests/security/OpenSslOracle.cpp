#include "tests/security/OpenSslOracle.h"

#include <gtest/gtest.h>
#include <openssl/des.h>
#include <openssl/sha.h>

#include <cstring>

namespace {

void SetKey(const unsigned char* bytes, DES_key_schedule& schedule) {
    DES_cblock key;
    std::memcpy(key, bytes, 8);
    DES_set_key_unchecked(&key, &schedule);
}

struct TripleSchedule {
    DES_key_schedule k1, k2, k3;
    explicit TripleSchedule(const Bytes& key24) {
        EXPECT_EQ(key24.size(), 24u);
        SetKey(key24.data(), k1);
        SetKey(key24.data() + 8, k2);
        SetKey(key24.data() + 16, k3);
    }
};

Bytes TripleEcb(const Bytes& key24, const Bytes& block8, int direction) {
    TripleSchedule schedule(key24);
    DES_cblock in;
    DES_cblock out;
    std::memcpy(in, block8.data(), 8);
    DES_ecb3_encrypt(&in, &out, &schedule.k1, &schedule.k2, &schedule.k3, direction);
    return Bytes(out, out + 8);
}

} // namespace

Bytes OracleDesEncrypt(const Bytes& key8, const Bytes& block8) {
    DES_key_schedule schedule;
    SetKey(key8.data(), schedule);
    DES_cblock in;
    DES_cblock out;
    std::memcpy(in, block8.data(), 8);
    DES_ecb_encrypt(&in, &out, &schedule, DES_ENCRYPT);
    return Bytes(out, out + 8);
}

Bytes OracleTripleDesEncrypt(const Bytes& key24, const Bytes& block8) {
    return TripleEcb(key24, block8, DES_ENCRYPT);
}

Bytes OracleTripleDesDecrypt(const Bytes& key24, const Bytes& block8) {
    return TripleEcb(key24, block8, DES_DECRYPT);
}

Bytes OracleTripleDesCbcLastBlock(const Bytes& key24, const Bytes& message) {
    EXPECT_EQ(message.size() % 8, 0u);
    TripleSchedule schedule(key24);
    DES_cblock chain = {};
    Bytes out(message.size());
    DES_ede3_cbc_encrypt(message.data(), out.data(), static_cast<long>(message.size()),
                         &schedule.k1, &schedule.k2, &schedule.k3, &chain, DES_ENCRYPT);
    return Bytes(out.end() - 8, out.end());
}

Bytes OracleSha256(const Bytes& message) {
    Bytes digest(SHA256_DIGEST_LENGTH);
    SHA256(message.data(), message.size(), digest.data());
    return digest;
}
