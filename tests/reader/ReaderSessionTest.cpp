#include "reader/ReaderSession.h"
#include "reader/DecimalText.h"
#include "readerlink/VexilonDll.h"
#include "tests/support/RecordingView.h"
#include "tests/support/ScriptedLink.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

using testsupport::Bytes;
using testsupport::TextReply;
using Lines = std::vector<std::string>;

const sim::Reply kSilence{};
const sim::Reply kNak{sim::Reply::Kind::Nak, {}, {}, false, {}};
constexpr char kSearching[] = "장비 확인 중...";
constexpr char kAskingVersion[] = "FW 버전 확인 중...";

class Session : public testing::Test {
protected:
    // Every request gets reply.
    void Answer(const sim::Reply& reply) {
        link.responder = [reply](const Bytes&) { return reply; };
    }
    // The request at n gets replies[n]; the last reply answers the rest.
    void AnswerInTurn(std::vector<sim::Reply> replies) {
        link.responder = [replies, n = std::size_t{0}](const Bytes&) mutable {
            return replies[std::min(n++, replies.size() - 1)];
        };
    }

    VirtualClock clock;
    testsupport::ScriptedLink link{clock};
    testsupport::RecordingView view;
    ReaderSession reader{link.Link(), view, clock};
    const ReaderRequest automatic{}; // no port typed: the search
};

TEST_F(Session, SendCommandSendsCodeAndDataOnceAndLogsOnlyFailures) {
    link.plugged = link.open = {4};
    reader.OpenPortByHand(4);
    Answer(TextReply("", 0xBE));
    const unsigned char data[] = {0x01, 0x02};
    EXPECT_EQ(reader.SendCommand(0xF1, data, 2), VQ_OK);
    EXPECT_EQ(reader.SendCommand(0x8E, nullptr, 0), VQ_OK);
    EXPECT_EQ(link.delivered, (std::vector<Bytes>{{0xF1, 0x01, 0x02}, {0x8E}}));
    EXPECT_EQ(link.timeouts, (std::vector<int>{5000, 5000}));
    EXPECT_TRUE(view.log.empty());

    Answer(kSilence);
    EXPECT_EQ(reader.SendCommand(0xF1, data, 2), VQ_ERR_TIMEOUT);
    EXPECT_EQ(view.log, Lines{"RECV ERR:1003 [CMD:F1]"});
    EXPECT_EQ(view.selected, 0);

    for (int refused : {-1, kMaxCommandDataLength + 1}) {
        EXPECT_EQ(reader.SendCommand(0xF1, data, refused), kSendCommandRefused);
    }
    EXPECT_EQ(reader.SendCommand(0xF1, nullptr, 1), kSendCommandRefused);
    EXPECT_EQ(link.delivered.size(), 3u) << "a refused command sends nothing";
}

TEST_F(Session, AutomaticSearchProbesSevenFirstThenInOrderPassingOverAPortInUse) {
    link.plugged = {3, 9};
    link.busy = {7};
    Answer(TextReply("VAN=RIVI_S1_C1_R1_ABCDEF_GHIJK"));
    EXPECT_EQ(reader.DetectReader(automatic), ProbeResult::Application);
    EXPECT_EQ(link.initCalls, (std::vector<int>{7, 1, 2, 3}));
    EXPECT_EQ(reader.Port(), 3);
    EXPECT_EQ(link.open, std::set<int>{3});
    EXPECT_EQ(view.log, (Lines{kSearching, "COM7 => 다른 프로그램에서 사용 중인 포트입니다.",
                               "COM3 => 장비 정보 : VAN=RIVI_S1_C1_R1_ABCDEF_GHIJK"}));
    EXPECT_EQ(view.shownModel, "ABCDEF_GHIJK");
    EXPECT_EQ(link.delivered, (std::vector<Bytes>{{0xFF, 0x0C}}));
}

TEST_F(Session, SilentPortIsLoggedAndSkippedAndOtherNetworkEndsTheSearch) {
    link.plugged = {7, 2, 3};
    AnswerInTurn({kSilence, TextReply("VAN=OTHER_S1_C1_R1_M")});
    view.log = {"earlier"};
    EXPECT_EQ(reader.DetectReader(automatic), ProbeResult::Nothing);
    EXPECT_EQ(link.initCalls, (std::vector<int>{7, 1, 2}));
    EXPECT_EQ(view.log, (Lines{kSearching, "COM7 => 장비 확인 실패(Failed to Read (3EB))",
                               "COM2 => 장비 정보 : VAN=OTHER_S1_C1_R1_M"}));
    EXPECT_EQ(view.shown, Lines{"notice: 이 프로그램은 vizuz 전용 프로그램입니다."});
    EXPECT_TRUE(link.open.empty());
    EXPECT_EQ(reader.Port(), 0);
}

TEST_F(Session, CodeOnlyAnswerIsAskedAgainWith16AndTypedPortIsReadLikeAtoi) {
    link.plugged = {12};
    AnswerInTurn({TextReply(""), TextReply("VAN=RIVI_S_C_R_M")});
    EXPECT_EQ(reader.DetectReader({DecimalTextValue("12abc"), "", {}}), ProbeResult::Application);
    EXPECT_EQ(link.initCalls, std::vector<int>{12});
    EXPECT_EQ(link.delivered, (std::vector<Bytes>{{0xFF, 0x0C}, {0x16}}));
}

TEST(BootLoaderModel, TypedNameMustBeTwelveCharactersAndConfirmed) {
    const std::string question =
        "question: 다운로드할 리더기 모델명 : ABCDEFGHIJKL\r\n모델명이 맞지 "
        "않으면 프로그램 왼쪽 상단에\r\n리더기 모델명 재입력 후 다시 "
        "시도해주세요.";
    const std::string length =
        "box: 모델명 길이를 확인해주세요.(모델명 길이 : 12자리)\r\n입력된 모델명 :";
    struct Case {
        const char* info;
        const char* typed;
        bool confirm;
        ProbeResult result;
        std::string shown; // empty: nothing
        const char* model;
    } cases[] = {
        {"RIVI_BIOS_1", "", true, ProbeResult::Refused,
         "box: 프로그램 왼쪽 상단에 리더기 모델명 입력 후 다시 시도해주세요.", ""},
        {"RIVI_BIOS_1", "ABCDEFGHIJK", true, ProbeResult::Refused, length + "ABCDEFGHIJK(길이:11)",
         "ABCDEFGHIJK"},
        {"X_BIOS", "ABCDEFGHIJKLM", true, ProbeResult::Refused, length + "ABCDEFGHIJKLM(길이:13)",
         "ABCDEFGHIJKLM"},
        {"RIVI_BIOS_1", " ABCDEFGHIJKL\t", true, ProbeResult::BootLoader, question, "ABCDEFGHIJKL"},
        {"RIVI_BIOS_1", "ABCDEFGHIJKL", false, ProbeResult::Refused, question, "ABCDEFGHIJKL"},
        {"DE-635_BIOS_2", " x ", false, ProbeResult::BootLoader, "", " x "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.info) + " typed " + c.typed);
        VirtualClock clock;
        testsupport::ScriptedLink link{clock};
        testsupport::RecordingView view;
        ReaderSession reader{link.Link(), view, clock};
        link.plugged = {5};
        link.responder = [&c](const Bytes&) { return TextReply(c.info); };
        view.confirm = c.confirm;
        EXPECT_EQ(reader.ProbePort(5, {{}, c.typed, {}}), c.result);
        EXPECT_EQ(view.shown, c.shown.empty() ? Lines{} : Lines{c.shown});
        EXPECT_EQ(reader.ModelName(), c.model);
        EXPECT_EQ(link.open.size(), c.result == ProbeResult::BootLoader ? 1u : 0u);
    }
}

TEST_F(Session, VersionQueriesSendTheirBytesAndJudgeTheText) {
    using enum VersionQuery;
    using enum VersionResult;
    struct Case {
        VersionQuery query;
        const char* text; // the answer after code 00; "silent" or "NAK": none
        VersionResult result;
        Bytes sent;
        DWORD slept;
    } cases[] = {
        {Application, "K_M_150803", Valid, {0xFF, 0x04}, 0},
        {Reader16, "DBIOS_1", Valid, {0x16}, 0},
        {AgainstFile, "K_M_150803", Valid, {0xFF, 0x04}, 0},
        {Application, "A_150803", NotValid, {0xFF, 0x04}, 0},
        {MsrCheck, "DMSR_NOT_AUTHENTICATED", Valid, {0xFF, 0x97}, 0},
        {MsrCheck, "silent", NotValid, {0xFF, 0x97}, 4000},
        {MsrCheck, "NAK", NotValid, {0xFF, 0x97}, 0},
        {MsrCheckLinkOk, "silent", LinkError, {0xFF, 0x97}, 0},
    };
    link.plugged = link.open = {1};
    reader.OpenPortByHand(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.query) << " answered " << c.text);
        view.log.clear();
        const DWORD sleptBefore = clock.TotalSlept();
        const std::string text = c.text;
        Answer(text == "silent" ? kSilence : text == "NAK" ? kNak : TextReply(text));
        EXPECT_EQ(reader.QueryVersion(c.query, "150803"), c.result);
        EXPECT_EQ(link.delivered.back(), c.sent);
        EXPECT_EQ(link.timeouts.back(), 3000);
        const Lines logged =
            c.result == Valid ? Lines{kAskingVersion, "Version : " + text} : Lines{kAskingVersion};
        EXPECT_EQ(view.log, logged);
        EXPECT_EQ(clock.TotalSlept() - sleptBefore, c.slept);
    }
    EXPECT_FALSE(reader.VersionMismatch());
    EXPECT_TRUE(view.shown.empty());
}

// The download tests see both forms accepted; here a refusal, whatever the reply.
TEST_F(Session, DownloadKeyCountsOnlyTheLibrarysResult) {
    const std::array<unsigned char, kDownloadKeyLength> key{};
    link.plugged = link.open = {1};
    reader.OpenPortByHand(1);
    Answer(TextReply("", 0xFF));
    EXPECT_TRUE(reader.SendDownloadKey(DownloadKeyForm::Application, key));
    Answer(kNak);
    EXPECT_FALSE(reader.SendDownloadKey(DownloadKeyForm::Application, key));
    EXPECT_FALSE(reader.SendDownloadKey(DownloadKeyForm::BootLoader, key));
    EXPECT_EQ(link.timeouts, (std::vector<int>{3000, 3000, 5000}));
    EXPECT_EQ(view.log, (Lines{"<= 00 ", "Failed to Read (3ED)", "RECV ERR:1005 [CMD:92]",
                               "Failed to Read (3ED)"}));
}

TEST_F(Session, ReaderInfoButtonShowsTheTextAndClosesThePort) {
    link.plugged = {7};
    Answer(TextReply("VAN=RIVI_S_C_R_M"));
    reader.ShowReaderInfo(automatic);
    EXPECT_EQ(view.readerInfo, "VAN=RIVI_S_C_R_M");
    EXPECT_EQ(link.delivered.size(), 2u) << "application firmware is asked once more";

    Answer(TextReply("RIVI_BIOS_1"));
    reader.ShowReaderInfo({{}, "ABCDEFGHIJKL", {}});
    EXPECT_EQ(view.readerInfo, "RIVI_BIOS_1");
    EXPECT_EQ(link.delivered.size(), 3u) << "a boot loader's text is not asked twice";
    EXPECT_EQ(view.portClosings, 2);
    EXPECT_TRUE(link.open.empty());
    EXPECT_EQ(reader.Port(), 0);

    link.plugged.clear();
    const std::size_t probed = link.initCalls.size();
    EXPECT_EQ(reader.ShowReaderInfo(automatic), Outcome::NoReader);
    EXPECT_EQ(link.initCalls.size() - probed, 100u) << "COM7, then COM1 to COM100 once each";
    EXPECT_EQ(link.initCalls.back(), 100);
    EXPECT_EQ(view.statuses, Lines{"다운로드 실패"});
    EXPECT_EQ(view.log, (Lines{kSearching, "연결된 보안 리더기가 없습니다.",
                               "보안 리더기가 연결되어 있으면 다른 프로그램에서 사용 중인지 "
                               "확인해주세요."}));
    link.busy = {42}; // nothing found, but a port held elsewhere may hide the reader
    EXPECT_EQ(reader.ShowReaderInfo(automatic), Outcome::PortInUse);
    EXPECT_EQ(reader.ShowReaderInfo({42, "", {}}), Outcome::PortInUse);
}

TEST_F(Session, VersionButtonFallsBackTo16AndDebugLevelSendsItsLowByteUnselected) {
    link.plugged = link.open = {2};
    reader.OpenPortByHand(2);
    AnswerInTurn({TextReply("X"), TextReply("D_1")});
    reader.ShowVersion();
    EXPECT_EQ(link.delivered, (std::vector<Bytes>{{0xFF, 0x04}, {0x16}}));

    view.log.clear();
    view.selected = -1;
    Answer(TextReply(""));
    view.typedDebugLevel = "300";
    reader.SetDebugLevel();
    Answer(kSilence);
    view.typedDebugLevel = "5";
    reader.SetDebugLevel();
    EXPECT_EQ(link.delivered[2], (Bytes{0xFF, 0x98, 0x2C}));
    EXPECT_EQ(link.delivered[3], (Bytes{0xFF, 0x98, 0x05}));
    EXPECT_EQ(view.log, (Lines{">=[FF9812C]", "00", ">=[FF9805]", "Failed to Read (3EB)"}));
    EXPECT_EQ(view.selected, -1);
}

} // namespace
