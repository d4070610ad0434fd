#include "app/BrimletDlg.h"
#include "readerlink/VexilonDll.h"
#include "security/Authentication.h"
#include "tests/reader/PrivateProgramFolder.h"
#include "tests/support/FakeReaderPty.h"

#include "tests/download/NamedCase.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

using downloadtest::CaseName;
using downloadtest::NamedCase;
using Bytes = std::vector<std::uint8_t>;
using testsupport::FakeReply;

constexpr int kPort = 232;

const Bytes kChallenge = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
const Bytes kReaderRandom = {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7,
                             0xA8, 0xA9, 0xAA, 0xAB, 0xAC, 0xAD, 0xAE, 0xAF};

Bytes Pattern(std::size_t length, std::uint8_t seed) {
    Bytes bytes(length);
    for (std::size_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<std::uint8_t>(seed + i * 13);
    }
    return bytes;
}

// The main window with a scripted reader on a pseudo-terminal and its port open.
class ReaderSteps : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create());
        ASSERT_EQ(VQ_InitPort(kPort, 115200), kPort);
        dialog.reader.port = kPort;
    }
    void TearDown() override {
        VQ_ClosePort(kPort);
        dialog.DestroyWindow();
    }

    std::vector<std::string> LogLines() {
        std::vector<std::string> lines;
        for (int i = 0; i < dialog.logList.GetCount(); ++i) {
            lines.push_back(dialog.logList.GetText(i));
        }
        return lines;
    }

    SealKeys Keys() { return {dialog.reader.authCipherKey, dialog.reader.authMacKey}; }

    // The reader's answer to step 1 for kChallenge, sealed under the session keys.
    Bytes Step1Answer() {
        Bytes answer(authStep1ResponseLength);
        BuildAuthStep1Response(Keys(), kChallenge.data(), answer.data());
        return answer;
    }

    Bytes Step2Answer(const Bytes& echoedReserved, const Bytes& echoedChallenge) {
        Bytes answer(authStep2ResponseLength);
        BuildAuthStep2Response(Keys(), echoedReserved.data(), echoedChallenge.data(),
                               kReaderRandom.data(), answer.data());
        return answer;
    }

    Bytes Field(const unsigned char* field, std::size_t length) {
        return Bytes(field, field + length);
    }

    testsupport::FakeReaderPty fake{PrivateProgramFolder(), kPort};
    CBrimletDlg dialog;
};

struct KeyCommandCase : NamedCase {
    int mode;
    FakeReply reply;
    Bytes command; // the bytes before the key
    std::int32_t result;
    std::vector<std::string> log;
};

class SendDownloadKey : public ReaderSteps, public testing::WithParamInterface<KeyCommandCase> {};

TEST_P(SendDownloadKey, SendsTheKeyUnchangedAndJudgesOnlyTheLibraryResult) {
    const KeyCommandCase& c = GetParam();
    const Bytes key = Pattern(16, 0x5C);
    std::memcpy(dialog.reader.downloadKey, key.data(), key.size());
    std::memset(dialog.reader.rxBuffer, 0xEE, 4);
    fake.Enqueue(c.reply);

    EXPECT_EQ(dialog.SendDownloadKey(c.mode), c.result);

    Bytes expected = c.command;
    expected.insert(expected.end(), key.begin(), key.end());
    ASSERT_EQ(fake.Requests().size(), 1u);
    EXPECT_EQ(fake.Requests()[0], expected);
    EXPECT_EQ(LogLines(), c.log);
    if (c.mode == 0) {
        EXPECT_EQ(dialog.reader.rxBuffer[0], 0xEE) << "FF 08 has a receive area of its own";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, SendDownloadKey,
    testing::Values(
        KeyCommandCase{
            "ApplicationAccepts", 0, FakeReply::Answer(Bytes{0x00}), {0xFF, 0x08}, 0, {"<= 00 "}},
        KeyCommandCase{"ApplicationRefusalCodeStillSuccess",
                       0,
                       FakeReply::Answer(Bytes{0xFF, 0x01}),
                       {0xFF, 0x08},
                       0,
                       {"<= 00 "}},
        KeyCommandCase{
            "ApplicationNak", 0, FakeReply::Refuse(), {0xFF, 0x08}, 1, {"Failed to Read (3ED)"}},
        KeyCommandCase{"ApplicationGarbage",
                       0,
                       FakeReply::Raw({0x02, 0x00, 0x01, 0x00, 0x07, 0x00}),
                       {0xFF, 0x08},
                       1,
                       {"Failed to Read (3EC)"}},
        KeyCommandCase{
            "BootLoaderAccepts", 1, FakeReply::Answer(Bytes{0x00}), {0x92}, 0, {"<= 00 "}},
        KeyCommandCase{"BootLoaderNak",
                       1,
                       FakeReply::Refuse(),
                       {0x92},
                       1,
                       {"RECV ERR:1005 [CMD:92]", "Failed to Read (3ED)"}},
        KeyCommandCase{"AnyOtherModeIsTheBootLoaderForm",
                       7,
                       FakeReply::Answer(Bytes{0x00}),
                       {0x92},
                       0,
                       {"<= 00 "}}),
    CaseName<KeyCommandCase>);

TEST_F(ReaderSteps, DerivedKeysDependOnTheDownloadKeyAlone) {
    ASSERT_EQ(dialog.DeriveAuthKeys(), 0);
    const Bytes cipherKey = Field(dialog.reader.authCipherKey, 24);
    const Bytes macKey = Field(dialog.reader.authMacKey, 24);
    const Bytes key = Field(dialog.reader.downloadKey, 16);
    const Bytes firstRandom = Field(dialog.reader.hostRandom, 16);
    std::memset(dialog.reader.hostReserved, 0x77, 8);

    ASSERT_EQ(dialog.DeriveAuthKeys(), 0);
    EXPECT_EQ(Field(dialog.reader.authCipherKey, 24), cipherKey);
    EXPECT_EQ(Field(dialog.reader.authMacKey, 24), macKey);
    EXPECT_EQ(Field(dialog.reader.downloadKey, 16), key);
    EXPECT_EQ(Field(dialog.reader.hostReserved, 8), Bytes(8, 0x00));
    EXPECT_NE(Field(dialog.reader.hostRandom, 16), firstRandom) << "fresh host bytes every time";
    EXPECT_NE(cipherKey, macKey);
}

TEST_F(ReaderSteps, Step1TakesTheChallengeBehindAValidMac) {
    ASSERT_EQ(dialog.DeriveAuthKeys(), 0);
    fake.Enqueue(FakeReply::Answer(Step1Answer()));
    EXPECT_EQ(dialog.AuthStep1(), 0);
    EXPECT_EQ(fake.Requests().at(0), (Bytes{0xFF, 0x09, 0x01}));
    EXPECT_EQ(Field(dialog.reader.readerChallenge, 8), kChallenge);
}

struct Step1Fault : NamedCase {
    int flippedByte; // -1: the reader refuses the request with NAK
};

class Step1Refusal : public ReaderSteps, public testing::WithParamInterface<Step1Fault> {};

TEST_P(Step1Refusal, ReturnsOneAndKeepsTheOldChallenge) {
    ASSERT_EQ(dialog.DeriveAuthKeys(), 0);
    std::memset(dialog.reader.readerChallenge, 0xC3, 8);
    if (GetParam().flippedByte < 0) {
        fake.Enqueue(FakeReply::Refuse());
    } else {
        Bytes answer = Step1Answer();
        answer[static_cast<std::size_t>(GetParam().flippedByte)] ^= 0x01;
        fake.Enqueue(FakeReply::Answer(answer));
    }
    EXPECT_EQ(dialog.AuthStep1(), 1);
    EXPECT_EQ(Field(dialog.reader.readerChallenge, 8), Bytes(8, 0xC3));
}

INSTANTIATE_TEST_SUITE_P(Answers, Step1Refusal,
                         testing::Values(Step1Fault{"ChallengeByte", 1},
                                         Step1Fault{"MacFirstByte", 9},
                                         Step1Fault{"MacLastByte", 16}, Step1Fault{"Nak", -1}),
                         CaseName<Step1Fault>);

class Step2 : public ReaderSteps {
protected:
    void SetUp() override {
        ReaderSteps::SetUp();
        ASSERT_EQ(dialog.DeriveAuthKeys(), 0);
        std::memcpy(dialog.reader.readerChallenge, kChallenge.data(), 8);
    }
};

TEST_F(Step2, SendsSealedValuesAndTakesTheReadersRandom) {
    fake.Enqueue(FakeReply::Answer(Step2Answer(Bytes(8, 0), kChallenge)));
    EXPECT_EQ(dialog.AuthStep2(), 0);
    const Bytes request = fake.Requests().at(0);
    ASSERT_EQ(request.size(), 43u);
    unsigned char reserved[8], random[16];
    ASSERT_TRUE(
        CheckAuthStep2Request(request.data(), 43, Keys(), kChallenge.data(), reserved, random));
    EXPECT_EQ(Bytes(reserved, reserved + 8), Bytes(8, 0));
    EXPECT_EQ(Bytes(random, random + 16), Field(dialog.reader.hostRandom, 16));
    EXPECT_EQ(Field(dialog.reader.readerRandom, 16), kReaderRandom);
}

TEST_F(Step2, EchoOfAnotherChallengeIsRefused) {
    fake.Enqueue(FakeReply::Answer(Step2Answer(Bytes(8, 0), Pattern(8, 1))));
    EXPECT_EQ(dialog.AuthStep2(), 1);
    EXPECT_EQ(Field(dialog.reader.readerRandom, 16), Bytes(16, 0));
}

TEST_F(Step2, EchoOfNonZeroReservedBytesIsRefused) {
    Bytes reserved(8, 0);
    reserved[7] = 1;
    fake.Enqueue(FakeReply::Answer(Step2Answer(reserved, kChallenge)));
    EXPECT_EQ(dialog.AuthStep2(), 1);
}

struct Step3Case : NamedCase {
    Bytes answer;
    std::int32_t result;
};

class Step3 : public ReaderSteps, public testing::WithParamInterface<Step3Case> {};

TEST_P(Step3, OnlyTheLetterOCounts) {
    ASSERT_EQ(dialog.DeriveAuthKeys(), 0);
    std::memcpy(dialog.reader.readerRandom, kReaderRandom.data(), 16);
    Bytes secret = Field(dialog.reader.hostRandom, 16);
    for (std::size_t i = 0; i < 16; ++i) {
        secret[i] ^= kReaderRandom[i];
    }
    fake.Enqueue(FakeReply::Answer(GetParam().answer));

    EXPECT_EQ(dialog.AuthStep3(), GetParam().result);

    EXPECT_EQ(Field(dialog.reader.hostRandom, 16), secret) << "the shared secret replaces it";
    const Bytes request = fake.Requests().at(0);
    ASSERT_EQ(request.size(), 59u);
    unsigned char keyPair[derivedKeyPairLength];
    ASSERT_TRUE(CheckAuthStep3Request(request.data(), 59, Keys(), keyPair));
    unsigned char expected[derivedKeyPairLength];
    DeriveKeyPair(secret.data(), expected);
    EXPECT_EQ(Bytes(keyPair, keyPair + 48), Bytes(expected, expected + 48));
    EXPECT_EQ(Field(dialog.reader.derivedKeyPair, 48), Bytes(expected, expected + 48));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, Step3,
    testing::Values(Step3Case{"Accepted", {0x00, 'O'}, 0},
                    Step3Case{"AcceptedWithAnyCodeAndTail", {0xFF, 'O', 0x12, 0x34}, 0},
                    Step3Case{"OtherLetter", {0x00, 'X'}, 1}, Step3Case{"CodeOnly", {0x00}, 1},
                    Step3Case{"LowerCase", {0x00, 'o'}, 1}),
    CaseName<Step3Case>);

TEST_F(ReaderSteps, KeyProofIsTheSameFrameEveryTime) {
    fake.Enqueue(FakeReply::Answer(Bytes{0x00}));
    fake.Enqueue(FakeReply::Refuse());
    EXPECT_EQ(dialog.ProveDownloadKey(), 0);
    EXPECT_EQ(dialog.ProveDownloadKey(), 1005);
    const auto requests = fake.Requests();
    ASSERT_EQ(requests.size(), 2u);
    ASSERT_EQ(requests[0].size(), 17u);
    EXPECT_EQ(requests[0][0], 0x8E);
    EXPECT_EQ(requests[0], requests[1]);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"RECV ERR:1005 [CMD:8E]"}));
}

} // namespace
