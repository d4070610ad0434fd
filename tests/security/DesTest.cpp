// DES and triple DES: known answers, the mode rule, in-place use, and libcrypto agreement.
#include "security/Encipher.h"
#include "tests/security/Support.h"

#include <gtest/gtest.h>

namespace {

struct DesKat {
    const char* key;
    const char* plain;
    const char* cipher;
};

// clang-format off
const DesKat desKats[] = {
    // FIPS 46-3 worked example; the second key differs from the first only in parity bits
    {"133457799BBCDFF1", "0123456789ABCDEF", "85E813540F0AB405"},
    {"123456789ABCDEF0", "0123456789ABCDEF", "85E813540F0AB405"},
    // NIST SP 800-20 table 1, variable plaintext (first and last rows)
    {"0101010101010101", "8000000000000000", "95F8A5E5DD31D900"},
    {"0101010101010101", "4000000000000000", "DD7F121CA5015619"},
    {"0101010101010101", "2000000000000000", "2E8653104F3834EA"},
    {"0101010101010101", "1000000000000000", "4BD388FF6CD81D4F"},
    {"0101010101010101", "0800000000000000", "20B9E767B2FB1456"},
    {"0101010101010101", "0400000000000000", "55579380D77138EF"},
    {"0101010101010101", "0200000000000000", "6CC5DEFAAF04512F"},
    {"0101010101010101", "0100000000000000", "0D9F279BA5D87260"},
    {"0101010101010101", "0000000000000001", "166B40B44ABA4BD6"},
    // table 2, variable key (first rows)
    {"8001010101010101", "0000000000000000", "95A8D72813DAA94D"},
    {"4001010101010101", "0000000000000000", "0EEC1487DD8C26D5"},
    {"2001010101010101", "0000000000000000", "7AD16FFB79C45926"},
    {"1001010101010101", "0000000000000000", "D3746294CA6A6CF3"},
    // table 3, permutation operation
    {"1046913489980131", "0000000000000000", "88D55E54F54C97B4"},
    {"1007103489988020", "0000000000000000", "0C0CC00C83EA48FD"},
    {"10071034C8980120", "0000000000000000", "83BC8EF3A6570183"},
    {"1046103489988020", "0000000000000000", "DF725DCAD94EA2E9"},
    {"1086911519190101", "0000000000000000", "E652B53B550BE8B0"},
    {"1086911519580101", "0000000000000000", "AF527120C485CBB0"},
    {"5107B01519580101", "0000000000000000", "0F04CE393DB926D5"},
    {"1007B01519190101", "0000000000000000", "C9F00FFC74079067"},
    {"3107915498080101", "0000000000000000", "7CFD82A593252B4E"},
    {"3107919498080101", "0000000000000000", "CB49A2F9E91363E3"},
    {"10079115B9080140", "0000000000000000", "00B588BE70D23F56"},
    {"3107911598090140", "0000000000000000", "406A9A6AB43399AE"},
    {"1007D01589980101", "0000000000000000", "6CB773611DCA9ADA"},
    {"9107911589980101", "0000000000000000", "67FD21C17DBB5D70"},
    {"9107D01589190101", "0000000000000000", "9592CB4110430787"},
    {"1007D01598980120", "0000000000000000", "A6B7FF68A318DDD3"},
    {"1007940498190101", "0000000000000000", "4D102196C914CA16"},
    {"0107910491190401", "0000000000000000", "2DFA9F4573594965"},
    {"0107910491190101", "0000000000000000", "B46604816C0E0774"},
    {"0107940491190401", "0000000000000000", "6E7E6221A4F34E87"},
    {"19079210981A0101", "0000000000000000", "AA85E74643233199"},
    {"1007911998190801", "0000000000000000", "2E5A19DB4D1962D6"},
    {"10079119981A0801", "0000000000000000", "23A866A809D30894"},
    {"1007921098190101", "0000000000000000", "D812D961F017D320"},
    {"100791159819010B", "0000000000000000", "055605816E58608F"},
    {"1004801598190101", "0000000000000000", "ABD88E8B1B7716F1"},
    {"1004801598190102", "0000000000000000", "537AC95BE69DA1E1"},
    {"1004801598190108", "0000000000000000", "AED0F6AE3C25CDD8"},
    {"1002911498100104", "0000000000000000", "B3E35A5EE53E7B8D"},
    {"1002911598190104", "0000000000000000", "61C79C71921A2EF8"},
    {"1002911598100201", "0000000000000000", "E2F5728F0995013C"},
    {"1002911698100101", "0000000000000000", "1AEAC39A61F0A464"},
    // table 4, substitution table
    {"7CA110454A1A6E57", "01A1D6D039776742", "690F5B0D9A26939B"},
    {"0131D9619DC1376E", "5CD54CA83DEF57DA", "7A389D10354BD271"},
    {"07A1133E4A0B2686", "0248D43806F67172", "868EBB51CAB4599A"},
    {"3849674C2602319E", "51454B582DDF440A", "7178876E01F19B2A"},
    {"04B915BA43FEB5B6", "42FD443059577FA2", "AF37FB421F8C4095"},
    {"0113B970FD34F2CE", "059B5E0851CF143A", "86A560F10EC6D85B"},
    {"0170F175468FB5E6", "0756D8E0774761D2", "0CD3DA020021DC09"},
    {"43297FAD38E373FE", "762514B829BF486A", "EA676B2CB7DB2B7A"},
    {"07A7137045DA2A16", "3BDD119049372802", "DFD64A815CAF1A0F"},
    {"04689104C2FD3B2F", "26955F6835AF609A", "5C513C9C4886C088"},
    {"37D06BB516CB7546", "164D5E404F275232", "0A2AEEAE3FF4AB77"},
    {"1F08260D1AC2465E", "6B056E18759F5CCA", "EF1BF03E5DFA575A"},
    {"584023641ABA6176", "004BD6EF09176062", "88BF0DB6D70DEE56"},
    {"025816164629B007", "480D39006EE762F2", "A1F9915541020B56"},
    {"49793EBC79B3258F", "437540C8698F3CFA", "6FBF1CAFCFFD0556"},
    {"4FB05E1515AB73A7", "072D43A077075292", "2F22E49BAB7CA1AC"},
    {"49E95D6D4CA229BF", "02FE55778117F12A", "5A6B612CC26CCE4A"},
    {"018310DC409B26D6", "1D9D5C5018F728C2", "5F4C038ED12B2E41"},
    {"1C587F1C13924FEF", "305532286D6F295A", "63FAC0D034D9F793"},
};
// clang-format on

Bytes Des(const Bytes& key, const Bytes& in, int mode) {
    Bytes out(8);
    CEncipher::DesCrypt(out.data(), in.data(), mode, key.data());
    return out;
}

Bytes TripleDes(const Bytes& key24, const Bytes& in, bool encrypt) {
    Bytes out(8);
    (encrypt ? CEncipher::TripleDesEncryptBlock
             : CEncipher::TripleDesDecryptBlock)(out.data(), in.data(), key24.data());
    return out;
}

const Bytes exampleKey = FromHex("133457799BBCDFF1");
const Bytes examplePlain = FromHex("0123456789ABCDEF");
const Bytes exampleCipher = FromHex("85E813540F0AB405");

TEST(Des, KnownAnswersBothWaysAndTheRowsAgreeWithLibcrypto) {
    for (const DesKat& row : desKats) {
        SCOPED_TRACE(row.key + std::string(" ") + row.plain);
        const Bytes key = FromHex(row.key), plain = FromHex(row.plain);
        EXPECT_EQ(ToHex(Des(key, plain, 1)), row.cipher);
        EXPECT_EQ(ToHex(Des(key, FromHex(row.cipher), 0)), row.plain);
        EXPECT_EQ(ToHex(OracleDes(key, plain)), row.cipher) << "the table row is mistyped";
    }
}

// The full variable-plaintext and variable-key tables follow a rule (one bit set), so
// every row is generated and checked against libcrypto rather than typed out.
TEST(Des, EveryOneBitPlaintextAndKeyRowAgreesWithLibcrypto) {
    for (int bit = 0; bit < 64; ++bit) {
        SCOPED_TRACE(bit);
        const auto mask = static_cast<unsigned char>(0x80 >> (bit % 8));
        Bytes plain(8, 0), key(8, 0x01);
        plain[bit / 8] = mask;
        key[bit / 8] |= mask;
        EXPECT_EQ(ToHex(Des(key, plain, 1)), ToHex(OracleDes(key, plain)));
        EXPECT_EQ(ToHex(Des(key, Des(key, plain, 1), 0)), ToHex(plain));
    }
}

TEST(Des, ParityBitsOfTheKeyDoNotMatter) {
    for (unsigned seed = 0; seed < 100; ++seed) {
        const Bytes key = RandomBytes(8, seed), plain = RandomBytes(8, seed + 1000);
        Bytes flipped = key;
        for (auto& b : flipped) {
            b ^= 0x01;
        }
        ASSERT_EQ(ToHex(Des(flipped, plain, 1)), ToHex(Des(key, plain, 1))) << seed;
    }
}

TEST(Des, OnlyALowByteEqualToOneEnciphers) {
    const struct {
        int mode;
        bool enciphers;
    } modes[] = {{1, true},   {0, false},   {2, false},    {0x101, true},
                 {-1, false}, {-255, true}, {0x100, false}};
    for (const auto& m : modes) {
        SCOPED_TRACE(m.mode);
        EXPECT_EQ(ToHex(Des(exampleKey, m.enciphers ? examplePlain : exampleCipher, m.mode)),
                  ToHex(m.enciphers ? exampleCipher : examplePlain));
    }
}

TEST(Des, InPlaceBothWaysForSingleAndTripleDes) {
    Bytes buffer = examplePlain;
    CEncipher::DesCrypt(buffer.data(), buffer.data(), 1, exampleKey.data());
    EXPECT_EQ(ToHex(buffer), ToHex(exampleCipher));
    CEncipher::DesCrypt(buffer.data(), buffer.data(), 0, exampleKey.data());
    EXPECT_EQ(ToHex(buffer), ToHex(examplePlain));

    const Bytes key24 = RandomBytes(24, 7);
    CEncipher::TripleDesEncryptBlock(buffer.data(), buffer.data(), key24.data());
    EXPECT_EQ(ToHex(buffer), ToHex(TripleDes(key24, examplePlain, true)));
    CEncipher::TripleDesDecryptBlock(buffer.data(), buffer.data(), key24.data());
    EXPECT_EQ(ToHex(buffer), ToHex(examplePlain));
}

// NIST SP 800-67 Rev. 1 example: three independent keys, three blocks in ECB.
TEST(TripleDes, Sp80067Example) {
    const Bytes key24 = FromHex("0123456789ABCDEF 23456789ABCDEF01 456789ABCDEF0123");
    const Bytes plain = FromHex("5468652071756663 6B2062726F776E20 666F78206A756D70");
    const Bytes cipher = FromHex("A826FD8CE53B855F CCE21C8112256FE6 68D5C05DD9B6B900");
    for (size_t offset = 0; offset < plain.size(); offset += 8) {
        SCOPED_TRACE(offset);
        const Bytes plainBlock = Slice(plain, offset, 8), cipherBlock = Slice(cipher, offset, 8);
        EXPECT_EQ(ToHex(TripleDes(key24, plainBlock, true)), ToHex(cipherBlock));
        EXPECT_EQ(ToHex(TripleDes(key24, cipherBlock, false)), ToHex(plainBlock));
    }
}

TEST(TripleDes, ThousandsOfRandomKeysAndBlocksAgreeWithLibcrypto) {
    for (unsigned seed = 0; seed < 3000; ++seed) {
        const Bytes key24 = RandomBytes(24, seed), block = RandomBytes(8, seed + 100000);
        ASSERT_EQ(ToHex(TripleDes(key24, block, true)), ToHex(OracleDes(key24, block))) << seed;
        ASSERT_EQ(ToHex(TripleDes(key24, block, false)), ToHex(OracleDes(key24, block, false)))
            << seed;
    }
}

} // namespace
