#include "history/DownloadHistory.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <set>

namespace {

DownloadRecord Record(int n) {
    DownloadRecord r;
    r.start = "2026-12-07T17:05:09.123+09:00";
    r.end = "2026-12-07T17:05:22.053+09:00";
    r.program = "brimlet-cli";
    r.programVersion = "4.7";
    r.port = 7;
    r.serial = "RV" + std::to_string(10000000 + n);
    r.model = "RVQ-3000-KR1";
    r.fileName = "MakeEncryptFW_RIVI_OIL-RVQ-3000-KR1-160101.bin";
    r.fileSize = 1000 + n;
    r.fileSha256 = std::string(64, 'a');
    r.outcome = n % 12;
    r.reason = "version";
    // What a notice may hold: Korean, a line break, quotes.
    r.shownText = "FW 업그레이드가 실패 했거나\r\n\"관리자\"에게 문의하세요.";
    r.elapsedMs = 12930;
    return r;
}

TEST(HistoryStore, ARecordCutShortAtAnyByteIsSkippedAndTheNextOneIsWhole) {
    const std::string first = RecordLine(Record(1));
    const std::string torn = RecordLine(Record(2));
    ASSERT_EQ(ParseRecordLine(torn), Record(2));
    // The torn record may also be the file's first: a crash during its very first write.
    for (const std::string& before : {std::string(), first}) {
        for (std::size_t cut = 1; cut < torn.size(); ++cut) {
            testsupport::TempFolder folder;
            const std::string path = folder.File("history.jsonl");
            folder.Write("history.jsonl", before + torn.substr(0, cut));
            ASSERT_TRUE(AppendToHistory(path, Record(3)));

            std::vector<DownloadRecord> expected = {Record(3)};
            if (cut == torn.size() - 1) {
                expected.insert(expected.begin(), Record(2)); // only its '\n' was lost
            }
            if (!before.empty()) {
                expected.insert(expected.begin(), Record(1));
            }
            EXPECT_EQ(ParseHistory(folder.Read("history.jsonl")), expected) << "cut at " << cut;
        }
    }
}

TEST(HistoryStore, TwoProcessesWritingAtOnceLoseNothing) {
    testsupport::TempFolder folder;
    const std::string path = folder.File("state/brimlet/history.jsonl");
    constexpr int kEach = 200;
    std::vector<pid_t> writers;
    for (int writer = 0; writer < 2; ++writer) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            bool ok = true;
            for (int i = 0; i < kEach; ++i) {
                ok = AppendToHistory(path, Record(writer * kEach + i)) && ok;
            }
            _exit(ok ? 0 : 1);
        }
        writers.push_back(pid);
    }
    for (pid_t pid : writers) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    std::set<std::string> serials;
    for (const DownloadRecord& record : ParseHistory(folder.Read("state/brimlet/history.jsonl"))) {
        serials.insert(record.serial);
    }
    EXPECT_EQ(serials.size(), 2u * kEach);
}

} // namespace
