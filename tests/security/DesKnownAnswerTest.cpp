// DES known answers: FIPS 46-3 worked example and NIST SP 800-20 tables. Every typed row
// is also checked against libcrypto so a mistyped digit cannot pass unnoticed.
#include "security/Encipher.h"
#include "tests/security/OpenSslOracle.h"

#include <gtest/gtest.h>

namespace {

struct DesKat {
    const char* name;
    const char* key;
    const char* plain;
    const char* cipher;
};

Bytes Encipher(const Bytes& key, const Bytes& plain) {
    Bytes out(8);
    CEncipher::DesCrypt(out.data(), plain.data(), 1, key.data());
    return out;
}

Bytes Decipher(const Bytes& key, const Bytes& cipher) {
    Bytes out(8);
    CEncipher::DesCrypt(out.data(), cipher.data(), 0, key.data());
    return out;
}

class DesKnownAnswer : public testing::TestWithParam<DesKat> {};

TEST_P(DesKnownAnswer, EnciphersDeciphersAndAgreesWithLibcrypto) {
    const Bytes key = FromHex(GetParam().key);
    const Bytes plain = FromHex(GetParam().plain);
    const Bytes cipher = FromHex(GetParam().cipher);
    EXPECT_EQ(ToHex(Encipher(key, plain)), ToHex(cipher));
    EXPECT_EQ(ToHex(Decipher(key, cipher)), ToHex(plain));
    EXPECT_EQ(ToHex(OracleDesEncrypt(key, plain)), ToHex(cipher)) << "the table row is mistyped";
}

TEST_P(DesKnownAnswer, TripleDesWithThreeEqualKeysIsSingleDes) {
    const Bytes key = FromHex(GetParam().key);
    Bytes key24 = key;
    key24.insert(key24.end(), key.begin(), key.end());
    key24.insert(key24.end(), key.begin(), key.end());
    const Bytes plain = FromHex(GetParam().plain);
    Bytes out(8);
    CEncipher::TripleDesEncryptBlock(out.data(), plain.data(), key24.data());
    EXPECT_EQ(ToHex(out), GetParam().cipher);
    CEncipher::TripleDesDecryptBlock(out.data(), out.data(), key24.data());
    EXPECT_EQ(ToHex(out), GetParam().plain);
}

TEST_P(DesKnownAnswer, TwoKeyTripleDesAgreesWithLibcrypto) {
    const Bytes key = FromHex(GetParam().key);
    const Bytes other = FromHex("FEDCBA9876543210");
    Bytes key24 = key;
    key24.insert(key24.end(), other.begin(), other.end());
    key24.insert(key24.end(), key.begin(), key.end());
    const Bytes plain = FromHex(GetParam().plain);
    Bytes out(8);
    CEncipher::TripleDesEncryptBlock(out.data(), plain.data(), key24.data());
    EXPECT_EQ(ToHex(out), ToHex(OracleTripleDesEncrypt(key24, plain)));
    CEncipher::TripleDesDecryptBlock(out.data(), out.data(), key24.data());
    EXPECT_EQ(ToHex(out), GetParam().plain);
}

std::string KatName(const testing::TestParamInfo<DesKat>& info) {
    return info.param.name;
}

// FIPS 46-3 worked example; the second key differs from the first only in parity bits.
INSTANTIATE_TEST_SUITE_P(WorkedExample, DesKnownAnswer,
                         testing::Values(DesKat{"Fips46Example", "133457799BBCDFF1",
                                                "0123456789ABCDEF", "85E813540F0AB405"},
                                         DesKat{"ParityBitsIgnored", "123456789ABCDEF0",
                                                "0123456789ABCDEF", "85E813540F0AB405"}),
                         KatName);

// NIST SP 800-20 table 1, variable plaintext (first and last rows), key 01..01
INSTANTIATE_TEST_SUITE_P(
    VariablePlaintext, DesKnownAnswer,
    testing::Values(DesKat{"Bit1", "0101010101010101", "8000000000000000", "95F8A5E5DD31D900"},
                    DesKat{"Bit2", "0101010101010101", "4000000000000000", "DD7F121CA5015619"},
                    DesKat{"Bit3", "0101010101010101", "2000000000000000", "2E8653104F3834EA"},
                    DesKat{"Bit4", "0101010101010101", "1000000000000000", "4BD388FF6CD81D4F"},
                    DesKat{"Bit5", "0101010101010101", "0800000000000000", "20B9E767B2FB1456"},
                    DesKat{"Bit6", "0101010101010101", "0400000000000000", "55579380D77138EF"},
                    DesKat{"Bit7", "0101010101010101", "0200000000000000", "6CC5DEFAAF04512F"},
                    DesKat{"Bit8", "0101010101010101", "0100000000000000", "0D9F279BA5D87260"},
                    DesKat{"Bit64", "0101010101010101", "0000000000000001", "166B40B44ABA4BD6"}),
    KatName);

// NIST SP 800-20 table 2, variable key (first rows), plaintext 0
INSTANTIATE_TEST_SUITE_P(
    VariableKey, DesKnownAnswer,
    testing::Values(DesKat{"Bit1", "8001010101010101", "0000000000000000", "95A8D72813DAA94D"},
                    DesKat{"Bit2", "4001010101010101", "0000000000000000", "0EEC1487DD8C26D5"},
                    DesKat{"Bit3", "2001010101010101", "0000000000000000", "7AD16FFB79C45926"},
                    DesKat{"Bit4", "1001010101010101", "0000000000000000", "D3746294CA6A6CF3"}),
    KatName);

// NIST SP 800-20 table 3, permutation operation, plaintext 0
INSTANTIATE_TEST_SUITE_P(
    Permutation, DesKnownAnswer,
    testing::Values(DesKat{"Row01", "1046913489980131", "0000000000000000", "88D55E54F54C97B4"},
                    DesKat{"Row02", "1007103489988020", "0000000000000000", "0C0CC00C83EA48FD"},
                    DesKat{"Row03", "10071034C8980120", "0000000000000000", "83BC8EF3A6570183"},
                    DesKat{"Row04", "1046103489988020", "0000000000000000", "DF725DCAD94EA2E9"},
                    DesKat{"Row05", "1086911519190101", "0000000000000000", "E652B53B550BE8B0"},
                    DesKat{"Row06", "1086911519580101", "0000000000000000", "AF527120C485CBB0"},
                    DesKat{"Row07", "5107B01519580101", "0000000000000000", "0F04CE393DB926D5"},
                    DesKat{"Row08", "1007B01519190101", "0000000000000000", "C9F00FFC74079067"},
                    DesKat{"Row09", "3107915498080101", "0000000000000000", "7CFD82A593252B4E"},
                    DesKat{"Row10", "3107919498080101", "0000000000000000", "CB49A2F9E91363E3"},
                    DesKat{"Row11", "10079115B9080140", "0000000000000000", "00B588BE70D23F56"},
                    DesKat{"Row12", "3107911598090140", "0000000000000000", "406A9A6AB43399AE"},
                    DesKat{"Row13", "1007D01589980101", "0000000000000000", "6CB773611DCA9ADA"},
                    DesKat{"Row14", "9107911589980101", "0000000000000000", "67FD21C17DBB5D70"},
                    DesKat{"Row15", "9107D01589190101", "0000000000000000", "9592CB4110430787"},
                    DesKat{"Row16", "1007D01598980120", "0000000000000000", "A6B7FF68A318DDD3"},
                    DesKat{"Row17", "1007940498190101", "0000000000000000", "4D102196C914CA16"},
                    DesKat{"Row18", "0107910491190401", "0000000000000000", "2DFA9F4573594965"},
                    DesKat{"Row19", "0107910491190101", "0000000000000000", "B46604816C0E0774"},
                    DesKat{"Row20", "0107940491190401", "0000000000000000", "6E7E6221A4F34E87"},
                    DesKat{"Row21", "19079210981A0101", "0000000000000000", "AA85E74643233199"},
                    DesKat{"Row22", "1007911998190801", "0000000000000000", "2E5A19DB4D1962D6"},
                    DesKat{"Row23", "10079119981A0801", "0000000000000000", "23A866A809D30894"},
                    DesKat{"Row24", "1007921098190101", "0000000000000000", "D812D961F017D320"},
                    DesKat{"Row25", "100791159819010B", "0000000000000000", "055605816E58608F"},
                    DesKat{"Row26", "1004801598190101", "0000000000000000", "ABD88E8B1B7716F1"},
                    DesKat{"Row27", "1004801598190102", "0000000000000000", "537AC95BE69DA1E1"},
                    DesKat{"Row28", "1004801598190108", "0000000000000000", "AED0F6AE3C25CDD8"},
                    DesKat{"Row29", "1002911498100104", "0000000000000000", "B3E35A5EE53E7B8D"},
                    DesKat{"Row30", "1002911598190104", "0000000000000000", "61C79C71921A2EF8"},
                    DesKat{"Row31", "1002911598100201", "0000000000000000", "E2F5728F0995013C"},
                    DesKat{"Row32", "1002911698100101", "0000000000000000", "1AEAC39A61F0A464"}),
    KatName);

// NIST SP 800-20 table 4, substitution table
INSTANTIATE_TEST_SUITE_P(
    SubstitutionTable, DesKnownAnswer,
    testing::Values(DesKat{"Row01", "7CA110454A1A6E57", "01A1D6D039776742", "690F5B0D9A26939B"},
                    DesKat{"Row02", "0131D9619DC1376E", "5CD54CA83DEF57DA", "7A389D10354BD271"},
                    DesKat{"Row03", "07A1133E4A0B2686", "0248D43806F67172", "868EBB51CAB4599A"},
                    DesKat{"Row04", "3849674C2602319E", "51454B582DDF440A", "7178876E01F19B2A"},
                    DesKat{"Row05", "04B915BA43FEB5B6", "42FD443059577FA2", "AF37FB421F8C4095"},
                    DesKat{"Row06", "0113B970FD34F2CE", "059B5E0851CF143A", "86A560F10EC6D85B"},
                    DesKat{"Row07", "0170F175468FB5E6", "0756D8E0774761D2", "0CD3DA020021DC09"},
                    DesKat{"Row08", "43297FAD38E373FE", "762514B829BF486A", "EA676B2CB7DB2B7A"},
                    DesKat{"Row09", "07A7137045DA2A16", "3BDD119049372802", "DFD64A815CAF1A0F"},
                    DesKat{"Row10", "04689104C2FD3B2F", "26955F6835AF609A", "5C513C9C4886C088"},
                    DesKat{"Row11", "37D06BB516CB7546", "164D5E404F275232", "0A2AEEAE3FF4AB77"},
                    DesKat{"Row12", "1F08260D1AC2465E", "6B056E18759F5CCA", "EF1BF03E5DFA575A"},
                    DesKat{"Row13", "584023641ABA6176", "004BD6EF09176062", "88BF0DB6D70DEE56"},
                    DesKat{"Row14", "025816164629B007", "480D39006EE762F2", "A1F9915541020B56"},
                    DesKat{"Row15", "49793EBC79B3258F", "437540C8698F3CFA", "6FBF1CAFCFFD0556"},
                    DesKat{"Row16", "4FB05E1515AB73A7", "072D43A077075292", "2F22E49BAB7CA1AC"},
                    DesKat{"Row17", "49E95D6D4CA229BF", "02FE55778117F12A", "5A6B612CC26CCE4A"},
                    DesKat{"Row18", "018310DC409B26D6", "1D9D5C5018F728C2", "5F4C038ED12B2E41"},
                    DesKat{"Row19", "1C587F1C13924FEF", "305532286D6F295A", "63FAC0D034D9F793"}),
    KatName);

// The full variable-plaintext and variable-key tables follow a rule (one bit set), so
// every row is generated and checked against libcrypto rather than typed out.
struct OneBitRow {
    int bit; // 0 = the most significant bit of byte 0
};

std::vector<OneBitRow> BitsExceptEvery(int skippedPosition) {
    std::vector<OneBitRow> rows;
    for (int bit = 0; bit < 64; ++bit) {
        if (bit % 8 != skippedPosition) {
            rows.push_back({bit});
        }
    }
    return rows;
}

std::string BitName(const testing::TestParamInfo<OneBitRow>& info) {
    return "Bit" + std::to_string(info.param.bit + 1);
}

void ExpectAgreesWithLibcrypto(const Bytes& key, const Bytes& plain) {
    const Bytes cipher = Encipher(key, plain);
    EXPECT_EQ(ToHex(cipher), ToHex(OracleDesEncrypt(key, plain)));
    EXPECT_EQ(ToHex(Decipher(key, cipher)), ToHex(plain));
}

class DesVariablePlaintext : public testing::TestWithParam<OneBitRow> {};

TEST_P(DesVariablePlaintext, RowAgreesWithLibcrypto) {
    Bytes plain(8, 0);
    plain[GetParam().bit / 8] = static_cast<unsigned char>(0x80 >> (GetParam().bit % 8));
    ExpectAgreesWithLibcrypto(FromHex("0101010101010101"), plain);
}

INSTANTIATE_TEST_SUITE_P(AllBits, DesVariablePlaintext, testing::ValuesIn(BitsExceptEvery(-1)),
                         BitName);

class DesVariableKey : public testing::TestWithParam<OneBitRow> {};

TEST_P(DesVariableKey, RowAgreesWithLibcrypto) {
    Bytes key(8, 0x01);
    key[GetParam().bit / 8] |= static_cast<unsigned char>(0x80 >> (GetParam().bit % 8));
    ExpectAgreesWithLibcrypto(key, Bytes(8, 0));
}

// the last bit of each key byte is parity, so the table has 56 rows
INSTANTIATE_TEST_SUITE_P(KeyBits, DesVariableKey, testing::ValuesIn(BitsExceptEvery(7)), BitName);

} // namespace
