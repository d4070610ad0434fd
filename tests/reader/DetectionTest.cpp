#include "tests/reader/ReaderBench.h"

#include "readerlink/VexilonDll.h"

#include <string>
#include <vector>

namespace {

using Detection = ReaderBench;

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

    const std::string failed = " => 장비 확인 실패(Failed to Read (3ED))";
    EXPECT_EQ(LogLines(), (Lines{kSearching, "COM7" + failed, "COM1" + failed, "COM2" + failed,
                                 std::string("COM9 => 장비 정보 : ") + kApplicationInfo}));
    EXPECT_EQ(dialog.logList.GetCurSel(), 4);
    EXPECT_EQ(dialog.reader.port, 9);
    EXPECT_EQ(dialog.reader.modelName, "BRM-CR1200KR");
    EXPECT_EQ(dialog.modelNameField.GetWindowText(), "BRM-CR1200KR");
    EXPECT_EQ(RequestsAt(7), std::vector<Bytes>{kInfoRequest});
    EXPECT_TRUE(RequestsAt(11).empty());
    EXPECT_TRUE(TakeOpenPort(9));
    EXPECT_FALSE(TakeOpenPort(7));
}

TEST_F(Detection, AReaderGivingOnlyTheResponseCodeIsAskedAgainWith16) {
    sim::ReaderConfig config = RiviApplicationReader();
    config.infoCodeOnly = true;
    PlugSimulatedReader(4, config);

    EXPECT_EQ(dialog.DetectReader(), 2);
    EXPECT_EQ(RequestsAt(4), (std::vector<Bytes>{kInfoRequest, {0x16}}));
    EXPECT_EQ(dialog.reader.readerInfo, kApplicationInfo);
}

TEST_F(Detection, AReaderOfAnotherNetworkEndsTheSearchAtOnce) {
    sim::ReaderConfig other = RiviApplicationReader();
    other.network = "ZETA";
    PlugSimulatedReader(2, other);
    PlugSimulatedReader(4, RiviApplicationReader());

    EXPECT_EQ(dialog.DetectReader(), 0);

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "이 프로그램은 vizuz 전용 프로그램입니다.");
    EXPECT_EQ(boxes[0].buttons, MB_OK);
    EXPECT_EQ(
        LogLines(),
        (Lines{kSearching, "COM2 => 장비 정보 : VAN=ZETA_BR0000777_C0100_R0100_BRM-CR1200KR"}));
    EXPECT_TRUE(RequestsAt(4).empty());
    EXPECT_FALSE(TakeOpenPort(2));
    EXPECT_EQ(dialog.reader.port, 0);
}

struct ModelFieldCase {
    const char* name;
    std::string typed;
    int answer;
    int result;
    std::string modelName;
    std::string box;
};

class BootLoaderModelName : public ReaderBench,
                            public testing::WithParamInterface<ModelFieldCase> {};

const std::string kConfirmBrm =
    "다운로드할 리더기 모델명 : BRM-CR1200KR\r\n모델명이 맞지 않으면 "
    "프로그램 왼쪽 상단에\r\n리더기 모델명 재입력 후 다시 시도해주세요.";
const std::string kLength = "모델명 길이를 확인해주세요.(모델명 길이 : 12자리)\r\n입력된 모델명 :";

TEST_P(BootLoaderModelName, TakesOnlyAConfirmedTwelveCharacterName) {
    const ModelFieldCase& c = GetParam();
    PlugSimulatedReader(7, RiviBootLoaderReader());
    PlugSimulatedReader(8, RiviApplicationReader());
    dialog.modelNameField.SetWindowText(c.typed);
    boxAnswer = c.answer;

    EXPECT_EQ(dialog.DetectReader(), c.result);

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, c.box);
    EXPECT_EQ(boxes[0].buttons, c.box == kConfirmBrm ? MB_OKCANCEL : MB_OK);
    EXPECT_EQ(dialog.reader.modelName, c.modelName);
    EXPECT_EQ(dialog.reader.readerInfo, "RIVI_BIOS_200101");
    EXPECT_EQ(TakeOpenPort(7), c.result == 3);
    // The boot loader is never held to the network rule and ends the search either way.
    EXPECT_TRUE(RequestsAt(8).empty());
    EXPECT_EQ(LogLines(), Lines{kSearching});
}

INSTANTIATE_TEST_SUITE_P(
    Names, BootLoaderModelName,
    testing::Values(
        ModelFieldCase{"Confirmed", "BRM-CR1200KR", IDOK, 3, "BRM-CR1200KR", kConfirmBrm},
        ModelFieldCase{"BlanksAround", "  BRM-CR1200KR \t", IDOK, 3, "BRM-CR1200KR", kConfirmBrm},
        ModelFieldCase{"Cancelled", "BRM-CR1200KR", IDCANCEL, 0, "BRM-CR1200KR", kConfirmBrm},
        ModelFieldCase{"Eleven", "BRM-CR1200K", IDOK, 0, "BRM-CR1200K",
                       kLength + "BRM-CR1200K(길이:11)"},
        ModelFieldCase{"Thirteen", "BRM-CR1200KRX", IDOK, 0, "BRM-CR1200KRX",
                       kLength + "BRM-CR1200KRX(길이:13)"},
        ModelFieldCase{"Empty", "", IDOK, 0, "",
                       "프로그램 왼쪽 상단에 리더기 모델명 입력 후 다시 시도해주세요."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Detection, De635BootLoaderTakesTheFieldAsItIsWithoutAsking) {
    sim::ReaderConfig config = RiviBootLoaderReader();
    config.bootInfoDe635 = true;
    PlugSimulatedReader(7, config);
    dialog.modelNameField.SetWindowText("  x ");

    EXPECT_EQ(dialog.DetectReader(), 3);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(dialog.reader.modelName, "  x ");
    EXPECT_EQ(dialog.reader.readerInfo, "DE-635_BIOS_200101");
    EXPECT_TRUE(TakeOpenPort(7));
}

TEST_F(Detection, AManualPortProbesOnlyThePortTyped) {
    PlugSimulatedReader(7, RiviApplicationReader());
    PlugSimulatedReader(12, RiviApplicationReader());
    dialog.reader.autoPortSearch = 0;
    for (auto [typed, port] : {std::pair{"99999999999", 0}, {"13", 0}, {"12abc", 12}}) {
        SCOPED_TRACE(typed);
        dialog.portNumberField.SetWindowText(typed);
        EXPECT_EQ(dialog.DetectReader(), port == 0 ? 0 : 2);
        EXPECT_EQ(dialog.reader.port, port);
    }
    EXPECT_TRUE(RequestsAt(7).empty());
    EXPECT_EQ(RequestsAt(12).size(), 1u);
}

// Texts from a device: no zero at the end, too long, or not UTF-8.
TEST_F(Detection, TheLongestTextTheLibraryStoresIsTakenWhole) {
    const std::string info = "VAN=RIVI_S_C_R_" + std::string(999 - 15, 'M');
    PlugReaderAnswering(7, info);
    EXPECT_EQ(dialog.DetectReader(), 2);
    EXPECT_EQ(dialog.reader.readerInfo, info);
}

TEST_F(Detection, ATextLongerThanTheReceiveAreaIsAFailedRead) {
    PlugReaderAnswering(7, "VAN=RIVI_S_C_R_" + std::string(2000, 'M'));
    EXPECT_EQ(dialog.DetectReader(), 0);
    EXPECT_EQ(LogLines(), (Lines{kSearching, "COM7 => 장비 확인 실패(Failed to Read (3EE))"}));
}

TEST_F(Detection, BytesThatAreNotUtf8AreKeptAndShownReplaced) {
    PlugReaderAnswering(7, "VAN=RIVI_S_C_R_\xFF\xFE"
                           "AB");
    EXPECT_EQ(dialog.DetectReader(), 2);
    EXPECT_EQ(dialog.reader.modelName, "\xFF\xFE"
                                       "AB");
    EXPECT_EQ(dialog.modelNameField.GetWindowText(), "\uFFFD\uFFFD"
                                                     "AB");
}

} // namespace
