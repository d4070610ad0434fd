#include "tests/reader/ReaderBench.h"

#include "readerlink/VexilonDll.h"
#include "resources/ResourceIds.h"

#include <string>
#include <vector>

namespace {

using testsupport::FakeReply;
using Lines = std::vector<std::string>;

const Bytes kInfoRequest = {0xFF, 0x0C};
const Bytes kInfoAgainRequest = {0x16};
constexpr const char* kSearching = "장비 확인 중...";
constexpr const char* kApplicationInfo = "VAN=RIVI_BR0000777_C0100_R0100_BRM-CR1200KR";
constexpr const char* kOtherNetworkNotice = "이 프로그램은 vizuz 전용 프로그램입니다.";

template <typename Case> std::string CaseName(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

class Detection : public ReaderBench {};

TEST_F(Detection, NoReaderAnywhereProbesEveryPortAndFindsNothing) {
    dialog.logList.AddString("an earlier line");
    EXPECT_EQ(dialog.DetectReader(), 0);
    EXPECT_EQ(LogLines(), Lines{kSearching});
    EXPECT_EQ(dialog.reader.port, 0);
    EXPECT_TRUE(boxes.empty());
}

// Readers that fail to answer show where the search went: 7 first, then 1 upward
// without 7 a second time.
TEST_F(Detection, ProbesPortSevenFirstThenFromOneAndStopsAtTheFirstReader) {
    for (int port : {7, 1, 2}) {
        PlugScriptedReader(port).SetResponder(
            [](std::span<const std::uint8_t>) { return FakeReply::Refuse(); });
    }
    PlugSimulatedReader(9, RiviApplicationReader());
    PlugSimulatedReader(11, RiviApplicationReader());

    EXPECT_EQ(dialog.DetectReader(), 2);

    EXPECT_EQ(LogLines(), (Lines{kSearching, "COM7 => 장비 확인 실패(Failed to Read (3ED))",
                                 "COM1 => 장비 확인 실패(Failed to Read (3ED))",
                                 "COM2 => 장비 확인 실패(Failed to Read (3ED))",
                                 std::string("COM9 => 장비 정보 : ") + kApplicationInfo}));
    EXPECT_EQ(dialog.logList.GetCurSel(), 4);
    EXPECT_EQ(dialog.reader.port, 9);
    EXPECT_EQ(dialog.reader.readerInfo, kApplicationInfo);
    EXPECT_EQ(dialog.reader.modelName, "BRM-CR1200KR");
    EXPECT_EQ(dialog.modelNameField.GetWindowText(), "BRM-CR1200KR");
    EXPECT_EQ(RequestsAt(7), std::vector<Bytes>{kInfoRequest});
    EXPECT_EQ(RequestsAt(9), std::vector<Bytes>{kInfoRequest});
    EXPECT_TRUE(RequestsAt(11).empty());
    EXPECT_TRUE(TakeOpenPort(9));
    for (int port : {7, 1, 2}) {
        EXPECT_FALSE(TakeOpenPort(port)) << port;
    }
    EXPECT_EQ(dialog.reader.portOpen, 0);
}

TEST_F(Detection, ReaderOnPortSevenIsFoundWithoutProbingOthers) {
    PlugSimulatedReader(7, RiviApplicationReader());
    PlugSimulatedReader(1, RiviApplicationReader());
    EXPECT_EQ(dialog.DetectReader(), 2);
    EXPECT_EQ(dialog.reader.port, 7);
    EXPECT_TRUE(RequestsAt(1).empty());
}

TEST_F(Detection, AReaderGivingOnlyTheResponseCodeIsAskedAgainWith16) {
    sim::ReaderConfig config = RiviApplicationReader();
    config.infoCodeOnly = true;
    PlugSimulatedReader(4, config);

    EXPECT_EQ(dialog.DetectReader(), 2);
    EXPECT_EQ(RequestsAt(4), (std::vector<Bytes>{kInfoRequest, kInfoAgainRequest}));
    EXPECT_EQ(dialog.reader.readerInfo, kApplicationInfo);
    EXPECT_EQ(dialog.reader.port, 4);
}

TEST_F(Detection, AFailedSecondAskIsAFailedRead) {
    testsupport::FakeReaderPty& reader = PlugScriptedReader(7);
    reader.Enqueue(FakeReply::Answer(Bytes{0x00}));
    reader.Enqueue(FakeReply::Refuse());
    ASSERT_EQ(VQ_InitPort(7, 115200), 7);
    EXPECT_EQ(dialog.ReadReaderInfo(7), "Failed to Read (3ED)");
    EXPECT_EQ(reader.Requests(), (std::vector<Bytes>{kInfoRequest, kInfoAgainRequest}));
}

TEST_F(Detection, AReaderOfAnotherNetworkEndsTheSearchAtOnce) {
    sim::ReaderConfig other = RiviApplicationReader();
    other.network = "ZETA";
    PlugSimulatedReader(2, other);
    PlugSimulatedReader(4, RiviApplicationReader());

    EXPECT_EQ(dialog.DetectReader(), 0);

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kOtherNetworkNotice);
    EXPECT_EQ(boxes[0].buttons, MB_OK);
    EXPECT_EQ(
        LogLines(),
        (Lines{kSearching, "COM2 => 장비 정보 : VAN=ZETA_BR0000777_C0100_R0100_BRM-CR1200KR"}));
    EXPECT_TRUE(RequestsAt(4).empty());
    EXPECT_FALSE(TakeOpenPort(2));
    EXPECT_EQ(dialog.reader.port, 0);
    EXPECT_EQ(dialog.modelNameField.GetWindowText(), "");
}

struct ModelFieldCase {
    const char* name;
    std::string typed;
    int answer;
    int result;
    std::string modelName;
    std::vector<std::string> boxTexts;
};

class BootLoaderModelName : public ReaderBench,
                            public testing::WithParamInterface<ModelFieldCase> {};

const std::string kConfirmBrm =
    "다운로드할 리더기 모델명 : BRM-CR1200KR\r\n모델명이 맞지 않으면 "
    "프로그램 왼쪽 상단에\r\n리더기 모델명 재입력 후 다시 시도해주세요.";
const std::string kEnterName = "프로그램 왼쪽 상단에 리더기 모델명 입력 후 다시 시도해주세요.";

TEST_P(BootLoaderModelName, TakesOnlyAConfirmedTwelveCharacterName) {
    const ModelFieldCase& c = GetParam();
    PlugSimulatedReader(7, RiviBootLoaderReader());
    PlugSimulatedReader(8, RiviApplicationReader());
    dialog.modelNameField.SetWindowText(c.typed);
    boxAnswer = c.answer;

    EXPECT_EQ(dialog.DetectReader(), c.result);

    std::vector<std::string> shown;
    for (const MessageBoxRequest& box : boxes) {
        shown.push_back(box.text);
    }
    EXPECT_EQ(shown, c.boxTexts);
    EXPECT_EQ(dialog.reader.modelName, c.modelName);
    EXPECT_EQ(dialog.reader.readerInfo, "RIVI_BIOS_200101");
    EXPECT_EQ(dialog.reader.port, c.result == 3 ? 7 : 0);
    EXPECT_EQ(TakeOpenPort(7), c.result == 3);
    // The boot loader is never held to the network rule and ends the search either way.
    EXPECT_TRUE(RequestsAt(8).empty());
    EXPECT_EQ(LogLines(), Lines{kSearching});
    EXPECT_EQ(dialog.modelNameField.GetWindowText(), c.typed);
}

INSTANTIATE_TEST_SUITE_P(
    Names, BootLoaderModelName,
    testing::Values(
        ModelFieldCase{"Confirmed", "BRM-CR1200KR", IDOK, 3, "BRM-CR1200KR", {kConfirmBrm}},
        ModelFieldCase{
            "BlanksAroundConfirmed", "  BRM-CR1200KR \t", IDOK, 3, "BRM-CR1200KR", {kConfirmBrm}},
        ModelFieldCase{"Cancelled", "BRM-CR1200KR", IDCANCEL, 0, "BRM-CR1200KR", {kConfirmBrm}},
        ModelFieldCase{"Eleven",
                       "BRM-CR1200K",
                       IDOK,
                       0,
                       "BRM-CR1200K",
                       {"모델명 길이를 확인해주세요.(모델명 길이 : 12자리)\r\n입력된 모델명 "
                        ":BRM-CR1200K(길이:11)"}},
        ModelFieldCase{"Thirteen",
                       "BRM-CR1200KRX",
                       IDOK,
                       0,
                       "BRM-CR1200KRX",
                       {"모델명 길이를 확인해주세요.(모델명 길이 : 12자리)\r\n입력된 모델명 "
                        ":BRM-CR1200KRX(길이:13)"}},
        // Length counts bytes: four Hangul syllables are twelve bytes of UTF-8.
        ModelFieldCase{"TwelveBytesOfHangul",
                       "가나다라",
                       IDOK,
                       3,
                       "가나다라",
                       {"다운로드할 리더기 모델명 : 가나다라\r\n모델명이 맞지 않으면 프로그램 "
                        "왼쪽 상단에\r\n리더기 모델명 재입력 후 다시 시도해주세요."}},
        ModelFieldCase{"Empty", "", IDOK, 0, "", {kEnterName}},
        ModelFieldCase{"OnlyBlanks", "   ", IDOK, 0, "", {kEnterName}}),
    CaseName<ModelFieldCase>);

TEST_F(Detection, TheConfirmationIsOwnedByTheMainWindowWithItsCaptionButtonsAndIcon) {
    PlugSimulatedReader(7, RiviBootLoaderReader());
    dialog.modelNameField.SetWindowText("BRM-CR1200KR");
    ASSERT_EQ(dialog.DetectReader(), 3);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "리더기명 확인");
    EXPECT_EQ(boxes[0].buttons, MB_OKCANCEL);
    EXPECT_EQ(boxes[0].icon, MB_ICONEXCLAMATION);
    EXPECT_EQ(boxes[0].owner, &dialog);
}

TEST_F(Detection, LengthRefusalsArePlainMessageBoxes) {
    PlugSimulatedReader(7, RiviBootLoaderReader());
    dialog.modelNameField.SetWindowText("SHORT");
    ASSERT_EQ(dialog.DetectReader(), 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].buttons, MB_OK);
    EXPECT_EQ(boxes[0].owner, nullptr);
}

struct De635Case {
    const char* name;
    std::string typed;
};

class De635BootLoader : public ReaderBench, public testing::WithParamInterface<De635Case> {};

TEST_P(De635BootLoader, TakesTheFieldAsItIsWithoutAsking) {
    sim::ReaderConfig config = RiviBootLoaderReader();
    config.bootInfoDe635 = true;
    PlugSimulatedReader(7, config);
    dialog.modelNameField.SetWindowText(GetParam().typed);

    EXPECT_EQ(dialog.DetectReader(), 3);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(dialog.reader.modelName, GetParam().typed);
    EXPECT_EQ(dialog.reader.readerInfo, "DE-635_BIOS_200101");
    EXPECT_EQ(dialog.reader.port, 7);
    EXPECT_TRUE(TakeOpenPort(7));
}

INSTANTIATE_TEST_SUITE_P(Fields, De635BootLoader,
                         testing::Values(De635Case{"Empty", ""}, De635Case{"Blanks", "  x "},
                                         De635Case{"TooLong", "ABCDEFGHIJKLMNOP"}),
                         CaseName<De635Case>);

struct InfoTextCase {
    const char* name;
    std::string info;
    std::string modelName;
};

class ApplicationModelName : public ReaderBench,
                             public testing::WithParamInterface<InfoTextCase> {};

TEST_P(ApplicationModelName, IsWhatFollowsTheFourthSeparator) {
    const InfoTextCase& c = GetParam();
    PlugReaderAnswering(7, c.info);
    dialog.modelNameField.SetWindowText("typed before");

    EXPECT_EQ(dialog.DetectReader(), 2);
    EXPECT_EQ(dialog.reader.modelName, c.modelName);
    EXPECT_EQ(dialog.modelNameField.GetWindowText(), c.modelName);
    EXPECT_EQ(LogLines(), (Lines{kSearching, "COM7 => 장비 정보 : " + c.info}));
}

INSTANTIATE_TEST_SUITE_P(Infos, ApplicationModelName,
                         testing::Values(InfoTextCase{"Four", "VAN=RIVI_S1_C1_R1_ABCDEFGHIJKL",
                                                      "ABCDEFGHIJKL"},
                                         InfoTextCase{"Two", "VAN=RIVI_S1_MODEL", "MODEL"},
                                         InfoTextCase{"Five", "VAN=RIVI_S1_C1_R1_AB_CD", "AB_CD"},
                                         InfoTextCase{"None", "VAN=RIVI", "VAN=RIVI"}),
                         CaseName<InfoTextCase>);

struct ManualPortCase {
    const char* name;
    std::string typed;
    int result;
    int port;
};

class ManualPort : public ReaderBench, public testing::WithParamInterface<ManualPortCase> {};

TEST_P(ManualPort, ProbesOnlyThePortTyped) {
    const ManualPortCase& c = GetParam();
    PlugSimulatedReader(7, RiviApplicationReader());
    PlugSimulatedReader(12, RiviApplicationReader());
    dialog.reader.autoPortSearch = 0;
    dialog.portNumberField.SetWindowText(c.typed);

    EXPECT_EQ(dialog.DetectReader(), c.result);
    EXPECT_EQ(dialog.reader.port, c.port);
    EXPECT_TRUE(RequestsAt(7).empty());
    EXPECT_EQ(RequestsAt(12).size(), c.port == 12 ? 1u : 0u);
    EXPECT_TRUE(boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Texts, ManualPort,
                         testing::Values(ManualPortCase{"DigitsThenLetters", "12abc", 2, 12},
                                         ManualPortCase{"BlanksAndPlus", "  +12", 2, 12},
                                         ManualPortCase{"Negative", " -3", 0, 0},
                                         ManualPortCase{"BeyondThirtyTwoBits", "99999999999", 0, 0},
                                         ManualPortCase{"NoDigits", "COM12", 0, 0},
                                         ManualPortCase{"UnpluggedPort", "13", 0, 0}),
                         CaseName<ManualPortCase>);

TEST_F(Detection, AManualPortThatDoesNotAnswerIsLoggedAndClosed) {
    PlugScriptedReader(12).SetResponder(
        [](std::span<const std::uint8_t>) { return FakeReply::Refuse(); });
    dialog.reader.autoPortSearch = 0;
    dialog.portNumberField.SetWindowText("12");
    EXPECT_EQ(dialog.DetectReader(), 0);
    EXPECT_EQ(LogLines(), (Lines{kSearching, "COM12 => 장비 확인 실패(Failed to Read (3ED))"}));
    EXPECT_FALSE(TakeOpenPort(12));
}

// Texts from a device: no zero at the end, too long, or not UTF-8.
TEST_F(Detection, TheLongestTextTheLibraryStoresIsTakenWhole) {
    const std::string info = "VAN=RIVI_S_C_R_" + std::string(999 - 15, 'M');
    PlugReaderAnswering(7, info);
    EXPECT_EQ(dialog.DetectReader(), 2);
    EXPECT_EQ(dialog.reader.readerInfo, info);
    EXPECT_EQ(dialog.reader.modelName, std::string(999 - 15, 'M'));
}

TEST_F(Detection, ATextLongerThanTheReceiveAreaIsAFailedRead) {
    PlugReaderAnswering(7, "VAN=RIVI_S_C_R_" + std::string(2000, 'M'));
    EXPECT_EQ(dialog.DetectReader(), 0);
    EXPECT_EQ(LogLines(), (Lines{kSearching, "COM7 => 장비 확인 실패(Failed to Read (3EE))"}));
    EXPECT_EQ(dialog.reader.readerInfo, "");
}

TEST_F(Detection, BytesThatAreNotUtf8AreKeptAndShownReplaced) {
    PlugReaderAnswering(7, "VAN=RIVI_S_C_R_\xFF\xFE"
                           "AB");
    EXPECT_EQ(dialog.DetectReader(), 2);
    EXPECT_EQ(dialog.reader.modelName, "\xFF\xFE"
                                       "AB");
    EXPECT_EQ(dialog.modelNameField.GetWindowText(), "\uFFFD\uFFFD"
                                                     "AB");
    EXPECT_EQ(LogLines().back(), "COM7 => 장비 정보 : VAN=RIVI_S_C_R_\uFFFD\uFFFD"
                                 "AB");
}

TEST_F(Detection, AZeroInsideTheTextEndsIt) {
    PlugScriptedReader(7).SetResponder([](std::span<const std::uint8_t>) {
        return FakeReply::Answer(BytesOf(std::string("\0VAN=RIVI_S_C_R_AB\0CD", 21)));
    });
    EXPECT_EQ(dialog.DetectReader(), 2);
    EXPECT_EQ(dialog.reader.modelName, "AB");
}

} // namespace
