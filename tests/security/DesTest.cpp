// DES and triple DES: the standards' known answers, the mode rule, and libcrypto agreement.
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
    {"worked example, other parity", "123456789ABCDEF0", "0123456789ABCDEF", "85E813540F0AB405"},
    {"variable plaintext", "0101010101010101", "0000000000000001", "166B40B44ABA4BD6"},
    {"variable key", "8001010101010101", "0000000000000000", "95A8D72813DAA94D"},
    {"permutation", "1046913489980131", "0000000000000000", "88D55E54F54C97B4"},
    {"substitution, first", "7CA110454A1A6E57", "01A1D6D039776742", "690F5B0D9A26939B"},
    {"substitution, last", "1C587F1C13924FEF", "305532286D6F295A", "63FAC0D034D9F793"},
};

std::string Des(const Bytes& key, const Bytes& in, int mode) {
    unsigned char out[8];
    CEncipher::DesCrypt(out, in.data(), mode, key.data());
    return ToHex(out);
}

// Block by block, in place.
std::string TripleDes(const Bytes& key24, Bytes data, bool encrypt) {
    for (size_t offset = 0; offset < data.size(); offset += 8) {
        (encrypt ? CEncipher::TripleDesEncryptBlock : CEncipher::TripleDesDecryptBlock)(
            data.data() + offset, data.data() + offset, key24.data());
    }
    return ToHex(data);
}

TEST(Des, KnownAnswersAsDesAndAsTripleDesWithThreeEqualKeys) {
    for (const DesKat& kat : desKats) {
        SCOPED_TRACE(kat.name);
        const Bytes key = FromHex(kat.key), plain = FromHex(kat.plain),
                    cipher = FromHex(kat.cipher);
        EXPECT_EQ(Des(key, plain, 1) + Des(key, cipher, 0), ToHex(Concat(cipher, plain)));
        EXPECT_EQ(TripleDes(Concat(key, key, key), plain, true), kat.cipher);
        EXPECT_EQ(TripleDes(Concat(key, key, key), cipher, false), kat.plain);
    }
}

// The low byte of the mode equal to 1 enciphers; anything else deciphers.
TEST(Des, OnlyALowByteOfOneEnciphers) {
    const Bytes key = FromHex(desKats[0].key), plain = FromHex(desKats[0].plain);
    for (const int mode : {0x101, -255}) {
        EXPECT_EQ(Des(key, plain, mode), Des(key, plain, 1)) << mode;
    }
    for (const int mode : {2, -1, 0x100}) {
        EXPECT_EQ(Des(key, plain, mode), Des(key, plain, 0)) << mode;
    }
}

// NIST SP 800-67 example: three independent keys, three blocks.
TEST(TripleDes, KnownAnswerWithThreeIndependentKeys) {
    const Bytes key24 = FromHex("0123456789ABCDEF 23456789ABCDEF01 456789ABCDEF0123");
    const Bytes plain = FromHex("5468652071756663 6B2062726F776E20 666F78206A756D70");
    const Bytes cipher = FromHex("A826FD8CE53B855F CCE21C8112256FE6 68D5C05DD9B6B900");
    EXPECT_EQ(TripleDes(key24, plain, true), ToHex(cipher));
    EXPECT_EQ(TripleDes(key24, cipher, false), ToHex(plain));
}

// Random keys (parity bits included) and blocks.
TEST(TripleDes, AgreesWithLibcrypto) {
    for (unsigned seed = 0; seed < 200; ++seed) {
        const Bytes key24 = RandomBytes(24, seed), data = RandomBytes(64, seed + 1000);
        ASSERT_EQ(TripleDes(key24, data, true), ToHex(OracleDes(key24, data))) << seed;
        ASSERT_EQ(TripleDes(key24, data, false), ToHex(OracleDes(key24, data, false))) << seed;
    }
}

} // namespace
