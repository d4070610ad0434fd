#include "tests/download/DownloadRun.h"
#include "tests/support/NamedCase.h"

#include <algorithm>

namespace downloadtest {
namespace {

constexpr int kReturnPort = kPort + 4;

// reader: where the adapter is pulled out; waitedMs: virtual time from the last
// request the reader got to the end, the fixed waits only (no time-out, no retry).
struct LostCase : testsupport::NamedCase {
    const char* reader;
    Bytes lastRequest;
    DWORD waitedMs;
    bool backInBootLoader;
};

class ConnectionLost : public DownloadRun, public testing::WithParamInterface<LostCase> {};

TEST_P(ConnectionLost, StopsAtOnceSaysWhatToDoAndTheNextTransferCompletesElsewhere) {
    const LostCase& c = GetParam();
    DWORD lastRequestAt = 0;
    onRequest = [&](const Bytes&) { lastRequestAt = clock.TickCount(); };
    EXPECT_FALSE(Download(c.reader));

    EXPECT_EQ(view.shown, Lines{"notice: 리더기 연결이 끊어졌습니다"});
    EXPECT_EQ(view.statuses.back(), "다운로드 실패");
    ASSERT_GE(view.log.size(), 3u);
    EXPECT_EQ(Lines(view.log.end() - 3, view.log.end()),
              (Lines{"리더기 연결이 끊어졌습니다. 리더기를 다시 연결해주세요.",
                     "리더기 모델명을 물으면 프로그램 왼쪽 상단에 리더기 모델명을 입력해주세요.",
                     "그 다음 전송 버튼을 다시 눌러주세요."}));
    EXPECT_EQ(std::count_if(view.log.begin(), view.log.end(),
                            [](const std::string& line) { return line.starts_with("RECV ERR"); }),
              c.lastRequest[0] == kBlockCode ? 1 : 0)
        << "one try of the next command, none of the reconnects";
    EXPECT_EQ(clock.TickCount() - lastRequestAt, c.waitedMs);
    const Bytes& last = link.delivered.back();
    EXPECT_TRUE(std::equal(c.lastRequest.begin(), c.lastRequest.end(), last.begin()));
    EXPECT_TRUE(link.open.empty()) << "the port is closed";

    link.plugged = {kReturnPort};
    session.autoPortSearch = 1;
    view.shown.clear();
    EXPECT_TRUE(DownloadAgain());
    EXPECT_EQ(session.port, kReturnPort);
    EXPECT_EQ(!view.shown.empty() && view.shown[0].starts_with("question: "), c.backInBootLoader);
}

INSTANTIATE_TEST_SUITE_P(
    PulledAt, ConnectionLost,
    testing::Values(
        LostCase{{"Authentication"}, "--vanish-after FF0901", {0xFF, 0x09, 0x01}, 100, false},
        LostCase{{"ThirdBlock"}, "--vanish-after F1*3", {0xF1, 0x00, 0x02}, 0, true},
        LostCase{{"LastBlock"}, "--vanish-after F1*5", {0xF1, 0x00, 0x04}, 30, true},
        LostCase{{"Finish"}, "--vanish-after F2", {0xF2}, 7000, false}),
    testsupport::CaseName<LostCase>);

} // namespace
} // namespace downloadtest
