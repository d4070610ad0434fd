#include "history/DownloadHistory.h"
#include "security/Hex.h"
#include "tests/download/DownloadRun.h"
#include "tests/support/NamedCase.h"
#include "tests/support/OpenSslOracle.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <cctype>

namespace downloadtest {
namespace {

// The reader's key as the download sends it in FF 08 and 92.
const std::string kDownloadKeyHex = "86E9C07709C72BA5D84D00ECF916C06A";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

struct RecordCase : testsupport::NamedCase {
    const char* reader; // reader-sim's options; "unplugged": no reader at all
    Outcome outcome;
    const char* after; // the version the restarted reader reported
    bool fileRead;
};

class Record : public DownloadRun, public testing::WithParamInterface<RecordCase> {};

TEST_P(Record, HoldsTheReaderTheFileAndTheEndingAndNoKey) {
    const RecordCase& c = GetParam();
    if (std::string(c.reader) == "unplugged") {
        link.plugged.clear();
    }
    Download(c.reader == std::string("unplugged") ? "" : c.reader);
    ASSERT_EQ(view.outcome, c.outcome);
    const DownloadRecord record =
        RecordOf("brimlet", "2026-12-07T09:00:00.000+09:00", sequence.Facts(), view.outcome,
                 view.shown.empty() ? "" : view.shown.back());

    const bool found = c.outcome != Outcome::NoReader;
    EXPECT_EQ(record.port, found ? kPort : 0);
    EXPECT_EQ(record.serial, found ? "RV00012345" : "");
    EXPECT_EQ(record.model, found ? "RVQ-3000-KR1" : "");
    EXPECT_EQ(record.certVersion + record.readerVersion, found ? "C0100R0100" : "");
    EXPECT_EQ(record.versionBefore, found ? "KRVQ-3000-KR1_150803" : "");
    EXPECT_EQ(record.versionAfter, c.after);
    EXPECT_EQ(record.fileName, c.fileRead ? "image.bin" : "");
    EXPECT_EQ(record.fileSize, c.fileRead ? 1000 : 0);
    const Bytes digest = OracleDigest("SHA256", image);
    EXPECT_EQ(record.fileSha256,
              c.fileRead ? Lower(BytesToHex(digest.data(), static_cast<int>(digest.size()))) : "");
    EXPECT_EQ(record.reason, ReasonName(c.outcome));
    EXPECT_EQ(record.elapsedMs, static_cast<std::int64_t>(clock.TickCount() - 0xFFFFF000u));

    // The key went over the wire; the store must not hold it in any form.
    testsupport::TempFolder folder;
    ASSERT_TRUE(AppendToHistory(folder.File("history.jsonl"), record));
    const std::string stored = folder.Read("history.jsonl");
    EXPECT_EQ(ParseHistory(stored), std::vector<DownloadRecord>{record});
    const Bytes key = {0x86, 0xE9, 0xC0, 0x77, 0x09, 0xC7, 0x2B, 0xA5};
    EXPECT_EQ(stored.find(kDownloadKeyHex.substr(0, 16)), std::string::npos);
    EXPECT_EQ(stored.find(Lower(kDownloadKeyHex.substr(0, 16))), std::string::npos);
    EXPECT_EQ(stored.find(std::string(key.begin(), key.end())), std::string::npos);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Endings, Record, testing::Values(
    RecordCase{{"Success"}, "", Outcome::Succeeded, "KRVQ-3000-KR1_160101", true},
    RecordCase{{"NoReader"}, "unplugged", Outcome::NoReader, "", false},
    RecordCase{{"WrongVersion"}, "--wrong-version 999999", Outcome::WrongVersion, "KRVQ-3000-KR1_999999", true}),
    testsupport::CaseName<RecordCase>);
// clang-format on

} // namespace
} // namespace downloadtest
