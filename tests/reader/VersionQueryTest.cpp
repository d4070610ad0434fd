#include "tests/reader/ReaderBench.h"

#include "readerlink/VexilonDll.h"

#include <string>
#include <vector>

namespace {

using testsupport::FakeReply;
using Lines = std::vector<std::string>;

constexpr int kPort = 21;
constexpr const char* kChecking = "FW 버전 확인 중...";
const std::string kMismatch = "FW 업그레이드가 실패 했거나 FW 파일의 버전이 잘못된 파일입니다.\r\n"
                              "관리자에게 문의하세요.";

template <typename Case> std::string CaseName(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

// A reader on kPort, opened the way the download sequence leaves it.
class VersionQuery : public ReaderBench {
protected:
    void SetUp() override {
        ReaderBench::SetUp();
        reader = &PlugScriptedReader(kPort);
        ASSERT_EQ(VQ_InitPort(kPort, 115200), kPort);
        dialog.reader.port = kPort;
        dialog.reader.fileVersion = "150803";
    }
    void AnswerText(const std::string& text) {
        Bytes payload = {0x00};
        payload.insert(payload.end(), text.begin(), text.end());
        reader->Enqueue(FakeReply::Answer(payload));
    }

    testsupport::FakeReaderPty* reader = nullptr;
};

struct ModeCase {
    const char* name;
    int mode;
    Bytes request;
};

class VersionQueryMode : public VersionQuery, public testing::WithParamInterface<ModeCase> {};

TEST_P(VersionQueryMode, SendsItsCommandAndLogsTheVersion) {
    AnswerText("KBRM-CR1200KR_150803");
    EXPECT_EQ(dialog.QueryVersion(GetParam().mode), 0);
    EXPECT_EQ(reader->Requests(), std::vector<Bytes>{GetParam().request});
    const Bytes& r = GetParam().request;
    Bytes frame = {0x02, 0x00, static_cast<std::uint8_t>(r.size())};
    frame.insert(frame.end(), r.begin(), r.end());
    frame.push_back(0x03);
    std::uint8_t lrc = 0;
    for (std::size_t i = 1; i < frame.size(); ++i) {
        lrc ^= frame[i];
    }
    frame.push_back(lrc);
    EXPECT_EQ(reader->ReceivedBytes(), frame);
    EXPECT_EQ(LogLines(), (Lines{kChecking, "Version : KBRM-CR1200KR_150803"}));
    EXPECT_EQ(dialog.logList.GetCurSel(), 1);
    EXPECT_EQ(dialog.reader.versionMismatch, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, VersionQueryMode,
    testing::Values(ModeCase{"Mode0", 0, {0xFF, 0x04}}, ModeCase{"Mode1", 1, {0x16}},
                    ModeCase{"Mode2", 2, {0xFF, 0x04}}, ModeCase{"Mode3", 3, {0x16}},
                    ModeCase{"Mode4", 4, {0xFF, 0x97}}, ModeCase{"Mode5", 5, {0xFF, 0x97}}),
    CaseName<ModeCase>);

struct TextCase {
    const char* name;
    int mode;
    std::string fileVersion;
    std::string text;
    int result;
    Lines log;
};

class VersionText : public VersionQuery, public testing::WithParamInterface<TextCase> {};

TEST_P(VersionText, JudgesTheTextAndItsCode) {
    const TextCase& c = GetParam();
    dialog.reader.fileVersion = c.fileVersion;
    AnswerText(c.text);

    EXPECT_EQ(dialog.QueryVersion(c.mode), c.result);

    EXPECT_EQ(LogLines(), c.log);
    const bool mismatch = c.result == -1;
    EXPECT_EQ(dialog.reader.versionMismatch, mismatch ? 1 : 0);
    ASSERT_EQ(boxes.size(), mismatch ? 1u : 0u);
    if (mismatch) {
        EXPECT_EQ(boxes[0].text, kMismatch);
    }
    EXPECT_EQ(dialog.logList.GetCurSel(), c.result == 1 ? 0 : static_cast<int>(c.log.size()) - 1);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, VersionText,
    testing::Values(
        TextCase{
            "StartsWithD", 0, "150803", "DBIOS_200101", 0, {kChecking, "Version : DBIOS_200101"}},
        TextCase{"OtherLetter", 0, "150803", "MSR_OK", 1, {kChecking}},
        TextCase{"LowerCaseK", 1, "150803", "kBRM_150803", 1, {kChecking}},
        TextCase{"OnlyTheCode", 3, "150803", "", 1, {kChecking}},
        TextCase{"OtherModesDoNotCompare",
                 0,
                 "999999",
                 "KBRM_150803",
                 0,
                 {kChecking, "Version : KBRM_150803"}},
        TextCase{"Mode2Equal", 2, "150803", "KBRM_150803", 0, {kChecking, "Version : KBRM_150803"}},
        TextCase{"Mode2Different",
                 2,
                 "150804",
                 "KBRM_150803",
                 -1,
                 {kChecking, "Version : KBRM_150803", kMismatch}},
        TextCase{"Mode2WithoutSeparator",
                 2,
                 "150803",
                 "KBRM150804",
                 0,
                 {kChecking, "Version : KBRM150804"}},
        TextCase{"Mode2CodeCutToSix",
                 2,
                 "150803",
                 "KBRM_1508039",
                 0,
                 {kChecking, "Version : KBRM_1508039"}},
        TextCase{"Mode2ComparesExactly",
                 2,
                 "15080",
                 "KBRM_150803",
                 -1,
                 {kChecking, "Version : KBRM_150803", kMismatch}},
        TextCase{"Mode2CaseSensitive",
                 2,
                 "a1b2c3",
                 "KBRM_A1B2C3",
                 -1,
                 {kChecking, "Version : KBRM_A1B2C3", kMismatch}},
        TextCase{
            "Mode2EmptyCode", 2, "150803", "KBRM_", -1, {kChecking, "Version : KBRM_", kMismatch}}),
    CaseName<TextCase>);

TEST_F(VersionQuery, ModesOneAndThreeAreTheSame) {
    for (int mode : {1, 3}) {
        AnswerText("DBIOS_200101");
        AnswerText("XBIOS");
        EXPECT_EQ(dialog.QueryVersion(mode), 0) << mode;
        EXPECT_EQ(dialog.QueryVersion(mode), 1) << mode;
    }
    EXPECT_EQ(reader->Requests(), std::vector<Bytes>(4, Bytes{0x16}));
}

struct ErrorCase {
    const char* name;
    int mode;
    FakeReply reply;
    int result;
    DWORD slept;
};

class VersionLibraryError : public VersionQuery, public testing::WithParamInterface<ErrorCase> {};

TEST_P(VersionLibraryError, IsReturnedWithoutALogLine) {
    const ErrorCase& c = GetParam();
    reader->Enqueue(c.reply);
    EXPECT_EQ(dialog.QueryVersion(c.mode), c.result);
    EXPECT_EQ(LogLines(), Lines{kChecking});
    EXPECT_EQ(clock.TotalSlept(), c.slept);
    EXPECT_TRUE(boxes.empty());
}

// Mode 4 turns every error into 1; a silent reader (1003) costs 4000 ms more, counted
// here on the virtual clock. The silent cases also wait out the library's real
// three-second time-out.
INSTANTIATE_TEST_SUITE_P(
    Errors, VersionLibraryError,
    testing::Values(ErrorCase{"Mode4Silent", 4, FakeReply::Silence(), 1, 4000},
                    ErrorCase{"Mode4Refused", 4, FakeReply::Refuse(), 1, 0},
                    ErrorCase{"Mode4Garbled", 4,
                              FakeReply::Raw({0x02, 0x00, 0x01, 0x00, 0x07, 0x00}), 1, 0},
                    ErrorCase{"Mode5Silent", 5, FakeReply::Silence(), VQ_ERR_TIMEOUT, 0},
                    ErrorCase{"Mode5Refused", 5, FakeReply::Refuse(), VQ_ERR_REFUSED, 0},
                    ErrorCase{"Mode0Refused", 0, FakeReply::Refuse(), VQ_ERR_REFUSED, 0},
                    ErrorCase{"Mode2Refused", 2, FakeReply::Refuse(), VQ_ERR_REFUSED, 0},
                    ErrorCase{"Mode3Refused", 3, FakeReply::Refuse(), VQ_ERR_REFUSED, 0}),
    CaseName<ErrorCase>);

TEST_F(VersionQuery, APortNotOpenIsTheLibrarysError) {
    VQ_ClosePort(kPort);
    EXPECT_EQ(dialog.QueryVersion(0), VQ_ERR_PORT_NOT_OPEN);
    EXPECT_EQ(dialog.QueryVersion(4), 1);
    EXPECT_EQ(clock.TotalSlept(), 0u);
}

// The longest answer the library stores, without a zero of its own.
TEST_F(VersionQuery, TheLongestAnswerIsReadWithinItsArea) {
    const std::string text = "K" + std::string(990, 'V') + "_1508031";
    ASSERT_EQ(text.size(), 999u);
    AnswerText(text);
    EXPECT_EQ(dialog.QueryVersion(2), 0);
    EXPECT_EQ(LogLines().back(), "Version : " + text);
}

// A reader on the simulated wire: its application firmware and its boot loader.
TEST_F(VersionQuery, SimulatedReaderAnswersEveryMode) {
    PlugSimulatedReader(9, RiviApplicationReader());
    ASSERT_EQ(VQ_InitPort(9, 115200), 9);
    dialog.reader.port = 9;
    EXPECT_EQ(dialog.QueryVersion(2), 0);
    EXPECT_EQ(dialog.QueryVersion(3), 0);
    EXPECT_EQ(dialog.QueryVersion(5), 1) << "MSR_OK is no version text";
    EXPECT_EQ(RequestsAt(9), (std::vector<Bytes>{{0xFF, 0x04}, {0x16}, {0xFF, 0x97}}));
    EXPECT_EQ(LogLines(), (Lines{kChecking, "Version : KBRM-CR1200KR_150803", kChecking,
                                 "Version : KBRM-CR1200KR_150803", kChecking}));
}

} // namespace
