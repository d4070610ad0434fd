#include "security/Encipher.h"
#include "tests/support/OpenSslOracle.h"

#include <gtest/gtest.h>

namespace {

struct DesKat {
    const char* name;
    const char* key;
    const char* plain;
    const char* cipher;
};

// The FIPS 46-3 worked example and rows of the NIST SP 800-20 tables.
const DesKat desKats[] = {
    {"worked example", "133457799BBCDFF1", "0123456789ABCDEF", "85E813540F0AB405"},
    {"variable plaintext", "0101010101010101", "0000000000000001", "166B40B44ABA4BD6"},
    {"permutation", "1046913489980131", "0000000000000000", "88D55E54F54C97B4"},
    {"substitution, first", "7CA110454A1A6E57", "01A1D6D039776742", "690F5B0D9A26939B"},
    {"substitution, last", "1C587F1C13924FEF", "305532286D6F295A", "63FAC0D034D9F793"},
};

std::string Des(const Bytes& key, const Bytes& in, int mode) {
    unsigned char out[8];
    CEncipher::DesCrypt(out, in.data(), mode, key.data());
    return ToHex(out);
}

std::string TripleDes(const Bytes& key24, Bytes data, bool encrypt) {
    for (size_t offset = 0; offset < data.size(); offset += 8) {
        (encrypt ? CEncipher::TripleDesEncryptBlock : CEncipher::TripleDesDecryptBlock)(
            data.data() + offset, data.data() + offset, key24.data());
    }
    return ToHex(data);
}

TEST(Des, KnownAnswersBothWaysWhereOnlyAModeWithLowByteOneEnciphers) {
    for (const DesKat& kat : desKats) {
        SCOPED_TRACE(kat.name);
        const Bytes key = FromHex(kat.key), plain = FromHex(kat.plain),
                    cipher = FromHex(kat.cipher);
        EXPECT_EQ(Des(key, plain, 1) + Des(key, cipher, 0), ToHex(Concat(cipher, plain)));
        EXPECT_EQ(Des(key, plain, 0x101) + Des(key, plain, -255), ToHex(Concat(cipher, cipher)));
        EXPECT_EQ(Des(key, cipher, 2) + Des(key, cipher, 0x100) + Des(key, cipher, -1),
                  ToHex(Concat(plain, plain, plain)));
    }
}

// The NIST SP 800-67 example (three independent keys, three blocks), then random keys
// (parity bits included) and blocks against libcrypto.
TEST(TripleDes, KnownAnswerAndRandomKeysAgreeWithLibcrypto) {
    const Bytes key24 = FromHex("0123456789ABCDEF 23456789ABCDEF01 456789ABCDEF0123");
    const Bytes plain = FromHex("5468652071756663 6B2062726F776E20 666F78206A756D70");
    const Bytes cipher = FromHex("A826FD8CE53B855F CCE21C8112256FE6 68D5C05DD9B6B900");
    EXPECT_EQ(TripleDes(key24, plain, true) + TripleDes(key24, cipher, false),
              ToHex(Concat(cipher, plain)));
    for (unsigned seed = 0; seed < 200; ++seed) {
        const Bytes key = RandomBytes(24, seed), data = RandomBytes(64, seed + 1000);
        ASSERT_EQ(TripleDes(key, data, true), ToHex(OracleDes(key, data))) << seed;
        ASSERT_EQ(TripleDes(key, data, false), ToHex(OracleDes(key, data, false))) << seed;
    }
}

} // namespace
