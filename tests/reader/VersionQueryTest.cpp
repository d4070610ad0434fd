#include "tests/reader/ReaderBench.h"

#include "readerlink/VexilonDll.h"

#include <string>
#include <vector>

namespace {

constexpr const char* kChecking = "FW 버전 확인 중...";
const std::string kMismatch = "FW 업그레이드가 실패 했거나 FW 파일의 버전이 잘못된 파일입니다.\r\n"
                              "관리자에게 문의하세요.";

// A reader on COM21, opened the way the download sequence leaves it.
class VersionQuery : public ReaderBench {
protected:
    void SetUp() override {
        ReaderBench::SetUp();
        reader = &OpenScriptedReader(21);
        dialog.reader.fileVersion = "150803";
    }
    void AnswerText(const std::string& text) {
        reader->Enqueue(FakeReply::Answer(BytesOf(std::string(1, '\0') + text)));
    }

    testsupport::FakeReaderPty* reader = nullptr;
};

TEST_F(VersionQuery, EachModeSendsItsCommandAndLogsTheVersion) {
    for (int mode = 0; mode <= 5; ++mode) {
        AnswerText("KBRM-CR1200KR_150803");
        EXPECT_EQ(dialog.QueryVersion(mode), 0) << mode;
        EXPECT_EQ(LogLines().back(), "Version : KBRM-CR1200KR_150803") << mode;
    }
    const Bytes ff04 = {0xFF, 0x04}, ff97 = {0xFF, 0x97}, c16 = {0x16};
    EXPECT_EQ(reader->Requests(), (std::vector<Bytes>{ff04, c16, ff04, c16, ff97, ff97}));
    EXPECT_EQ(LogLines().size(), 12u);
    EXPECT_EQ(dialog.logList.GetCurSel(), 11);
    EXPECT_EQ(dialog.reader.versionMismatch, 0);
}

// Mode 2 alone compares the code after the last separator, cut to six, with the file's.
TEST_F(VersionQuery, JudgesTheTextAndItsCode) {
    struct Case {
        int mode;
        const char* fileVersion;
        std::string text;
        int result;
    } cases[] = {{0, "150803", "DBIOS_200101", 0}, {0, "150803", "MSR_OK", 1},
                 {1, "150803", "kBRM_150803", 1},  {0, "999999", "KBRM_150803", 0},
                 {2, "150803", "KBRM_150803", 0},  {2, "150803", "KBRM150804", 0},
                 {2, "150803", "KBRM_1508039", 0}, {2, "150804", "KBRM_150803", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        dialog.reader.fileVersion = c.fileVersion;
        AnswerText(c.text);
        Lines log = LogLines();
        EXPECT_EQ(dialog.QueryVersion(c.mode), c.result);
        log.push_back(kChecking);
        if (c.result != 1) {
            log.push_back("Version : " + c.text);
        }
        if (c.result == -1) {
            log.push_back(kMismatch);
        }
        EXPECT_EQ(LogLines(), log);
        EXPECT_EQ(dialog.reader.versionMismatch, c.result == -1 ? 1 : 0);
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kMismatch);
}

// Mode 4 turns every error into 1; a silent reader (1003) costs 4000 ms more, counted
// here on the virtual clock, besides the library's real three-second time-out.
TEST_F(VersionQuery, LibraryErrorsAreReturnedWithoutALogLine) {
    struct Case {
        int mode;
        FakeReply reply;
        int result;
        DWORD slept;
    } cases[] = {{4, FakeReply::Silence(), 1, 4000},
                 {4, FakeReply::Refuse(), 1, 0},
                 {5, FakeReply::Refuse(), VQ_ERR_REFUSED, 0}};
    for (const Case& c : cases) {
        reader->Enqueue(c.reply);
        const DWORD before = clock.TotalSlept();
        EXPECT_EQ(dialog.QueryVersion(c.mode), c.result) << c.mode;
        EXPECT_EQ(clock.TotalSlept() - before, c.slept) << c.mode;
    }
    EXPECT_EQ(LogLines(), Lines(3, kChecking));
}

} // namespace
