#include "framework/Profile.h"
#include "framework/AtomicFile.h"
#include "tests/framework/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

std::string Read(const std::string& file, const char* section, const char* key,
                 unsigned long size = 256, const char* fallback = "DEFAULT") {
    std::string buffer(size, '\xAA');
    unsigned long copied =
        GetPrivateProfileStringA(section, key, fallback, buffer.data(), size, file.c_str());
    EXPECT_EQ(buffer[copied], '\0') << "always terminated";
    return buffer.substr(0, copied);
}

struct ReadCase {
    const char* name;
    const char* file;
    const char* section;
    const char* key;
    const char* expected;
};

class ProfileRead : public testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, FindsValueOrDefault) {
    TempFolder folder;
    folder.Write("s.ini", GetParam().file);
    EXPECT_EQ(Read(folder.File("s.ini"), GetParam().section, GetParam().key), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileRead,
    testing::Values(
        ReadCase{"Plain", "[CONFIG]\nA=1234\n", "CONFIG", "A", "1234"},
        ReadCase{"Crlf", "[CONFIG]\r\nA=1234\r\nB=99\r\n", "CONFIG", "B", "99"},
        ReadCase{"SectionCase", "[config]\nA=x\n", "CONFIG", "A", "x"},
        ReadCase{"KeyCase", "[CONFIG]\nkey=x\n", "CONFIG", "KEY", "x"},
        ReadCase{"BlanksAroundEquals", "[CONFIG]\n  A \t=  v w  \n", "CONFIG", "A", "v w"},
        ReadCase{"BlanksInHeader", " [ CONFIG ] \nA=1\n", "CONFIG", "A", "1"},
        ReadCase{"EqualsInValue", "[CONFIG]\nA=x=y==z\n", "CONFIG", "A", "x=y==z"},
        ReadCase{"QuotesRemoved", "[CONFIG]\nA=\"quoted\"\n", "CONFIG", "A", "quoted"},
        ReadCase{"EmptyValue", "[CONFIG]\nA=\n", "CONFIG", "A", ""},
        ReadCase{"NoFinalNewline", "[CONFIG]\nA=last", "CONFIG", "A", "last"},
        ReadCase{"FirstKeyWins", "[CONFIG]\nA=1\nA=2\n", "CONFIG", "A", "1"},
        ReadCase{"KeyInOtherSection", "[OTHER]\nA=1\n[CONFIG]\nB=2\n", "CONFIG", "A", "DEFAULT"},
        ReadCase{"KeyBeforeAnySection", "A=1\n[CONFIG]\n", "CONFIG", "A", "DEFAULT"},
        ReadCase{"MissingSection", "[OTHER]\nA=1\n", "CONFIG", "A", "DEFAULT"},
        ReadCase{"MissingKey", "[CONFIG]\nB=1\n", "CONFIG", "A", "DEFAULT"},
        ReadCase{"CommentIgnored", "[CONFIG]\n;A=1\nA=2\n", "CONFIG", "A", "2"},
        ReadCase{"LineWithoutEquals", "[CONFIG]\nA\nA=3\n", "CONFIG", "A", "3"},
        ReadCase{"Utf8Value", "[CONFIG]\nA=한글\n", "CONFIG", "A", "한글"},
        ReadCase{"Garbage", "\x01\xff[\x00]]]==\n\n[[[\r\r\r=\xfe\n", "CONFIG", "A", "DEFAULT"},
        ReadCase{"UnclosedHeader", "[CONFIG\nA=5\n", "CONFIG", "A", "5"},
        ReadCase{"EmptyFile", "", "CONFIG", "A", "DEFAULT"},
        ReadCase{"Utf8MarkBeforeFirstSection", "\xEF\xBB\xBF[CONFIG]\r\nA=1\r\n", "CONFIG", "A",
                 "1"}),
    [](const testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

TEST(ProfileReadLimits, ValueIsCutToSizeMinusOne) {
    TempFolder folder;
    folder.Write("s.ini", "[CONFIG]\nA=0123456789ABCDEF0123\n");
    EXPECT_EQ(Read(folder.File("s.ini"), "CONFIG", "A", 17), "0123456789ABCDEF");
    EXPECT_EQ(Read(folder.File("s.ini"), "CONFIG", "A", 1), "");
    EXPECT_EQ(Read(folder.File("s.ini"), "CONFIG", "A", 100), "0123456789ABCDEF0123");
}

TEST(ProfileReadLimits, DefaultIsCutToo) {
    TempFolder folder;
    EXPECT_EQ(Read(folder.File("none.ini"), "CONFIG", "A", 4, "PRAWNSTUX"), "PRA");
}

TEST(ProfileReadLimits, SizeZeroWritesNothing) {
    char sentinel = 'x';
    EXPECT_EQ(GetPrivateProfileStringA("C", "A", "D", &sentinel, 0, "/nonexistent.ini"), 0u);
    EXPECT_EQ(sentinel, 'x');
}

TEST(ProfileReadLimits, MissingFileNullsAndFolderGiveDefault) {
    TempFolder folder;
    EXPECT_EQ(Read(folder.File("missing.ini"), "CONFIG", "A"), "DEFAULT");
    EXPECT_EQ(Read(folder.path, "CONFIG", "A"), "DEFAULT") << "a folder is not a settings file";
    EXPECT_EQ(Read(folder.File("missing.ini"), "CONFIG", "A", 50, nullptr), "");
    EXPECT_EQ(Read(folder.File("missing.ini"), nullptr, "A"), "DEFAULT");
    EXPECT_EQ(Read(folder.File("missing.ini"), "CONFIG", nullptr), "DEFAULT");
}

TEST(ProfileReadLimits, LargeGarbageFileNeverCrashes) {
    TempFolder folder;
    std::string garbage;
    for (int i = 0; i < 200000; ++i) {
        garbage.push_back(static_cast<char>((i * 7919) % 256));
    }
    folder.Write("g.ini", garbage + "\n[CONFIG]\nA=found\n");
    EXPECT_EQ(Read(folder.File("g.ini"), "CONFIG", "A"), "found");
}

struct WriteCase {
    const char* name;
    const char* before;
    const char* section;
    const char* key;
    const char* value;
    const char* after;
};

class ProfileWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWrite, ChangesOnlyWhatIsAsked) {
    TempFolder folder;
    if (GetParam().before != nullptr) {
        folder.Write("s.ini", GetParam().before);
    }
    ASSERT_NE(WritePrivateProfileStringA(GetParam().section, GetParam().key, GetParam().value,
                                         folder.File("s.ini").c_str()),
              0);
    EXPECT_EQ(folder.Read("s.ini"), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileWrite,
    testing::Values(
        WriteCase{"NewFile", nullptr, "CONFIG", "A", "1", "[CONFIG]\r\nA=1\r\n"},
        WriteCase{"ReplaceKeepsOtherBytes", "; top\r\n[CONFIG]\r\nA = old\r\nB=2\r\n\r\n[X]\r\n",
                  "CONFIG", "a", "new", "; top\r\n[CONFIG]\r\na=new\r\nB=2\r\n\r\n[X]\r\n"},
        WriteCase{"NewKeyAfterLastEntry", "[CONFIG]\nA=1\n\n[X]\nY=2\n", "config", "B", "2",
                  "[CONFIG]\nA=1\nB=2\n\n[X]\nY=2\n"},
        WriteCase{"NewSectionLfFile", "[X]\nY=2", "CONFIG", "A", "1", "[X]\nY=2\n[CONFIG]\nA=1\n"},
        WriteCase{"NewKeyInLastLineSection", "[CONFIG]\nA=1", "CONFIG", "B", "2",
                  "[CONFIG]\nA=1\nB=2"},
        WriteCase{"ValueWithEquals", "", "CONFIG", "A", "x=y", "[CONFIG]\r\nA=x=y\r\n"},
        WriteCase{"MixedEndingsKept", "[X]\r\nY=1\n[CONFIG]\r\nA=1\n", "CONFIG", "A", "2",
                  "[X]\r\nY=1\n[CONFIG]\r\nA=2\n"},
        WriteCase{"DeleteKey", "[CONFIG]\nA=1\nB=2\n", "CONFIG", "A", nullptr, "[CONFIG]\nB=2\n"},
        WriteCase{"DeleteSection", "[CONFIG]\nA=1\n[X]\nY=2\n", "CONFIG", nullptr, nullptr,
                  "[X]\nY=2\n"},
        WriteCase{"Utf8MarkKept", "\xEF\xBB\xBF[CONFIG]\nA=1\n", "CONFIG", "A", "2",
                  "\xEF\xBB\xBF[CONFIG]\nA=2\n"},
        WriteCase{"DeleteMissingKey", "[X]\nY=2\n", "CONFIG", "A", nullptr, "[X]\nY=2\n"}),
    [](const testing::TestParamInfo<WriteCase>& info) { return info.param.name; });

TEST(ProfileWriteGarbage, BinaryBytesAroundAreKeptExactly) {
    TempFolder folder;
    const char bytes[] = "\x01\xfe\x00junk\n[CONFIG]\n\xff\xff\n";
    const std::string before(bytes, sizeof bytes - 1);
    folder.Write("s.ini", before);
    ASSERT_NE(WritePrivateProfileStringA("CONFIG", "A", "1", folder.File("s.ini").c_str()), 0);
    EXPECT_EQ(folder.Read("s.ini"), before + "A=1\n");
    EXPECT_EQ(Read(folder.File("s.ini"), "CONFIG", "A"), "1");
}

struct RefusedCase {
    const char* name;
    const char* section;
    const char* key;
    const char* value;
};

class ProfileWriteRefused : public testing::TestWithParam<RefusedCase> {};

// A line break in a name or value would plant extra lines in the file (a value
// "x\n[OTHER]" would create a section); such writes change nothing.
TEST_P(ProfileWriteRefused, FileUntouched) {
    TempFolder folder;
    const std::string before = "[CONFIG]\nA=1\n";
    folder.Write("s.ini", before);
    EXPECT_EQ(WritePrivateProfileStringA(GetParam().section, GetParam().key, GetParam().value,
                                         folder.File("s.ini").c_str()),
              0);
    EXPECT_EQ(folder.Read("s.ini"), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileWriteRefused,
    testing::Values(RefusedCase{"NullSection", nullptr, "A", "1"},
                    RefusedCase{"NewlineInValue", "CONFIG", "A", "x\n[OTHER]"},
                    RefusedCase{"CarriageReturnInValue", "CONFIG", "A", "x\ry"},
                    RefusedCase{"NewlineInKey", "CONFIG", "A\nB", "1"},
                    RefusedCase{"EqualsInKey", "CONFIG", "A=B", "1"},
                    RefusedCase{"BlankKey", "CONFIG", "  ", "1"},
                    RefusedCase{"CommentKey", "CONFIG", ";A", "1"},
                    RefusedCase{"BracketKey", "CONFIG", "[A", "1"},
                    RefusedCase{"BracketInSection", "CON]FIG", "A", "1"},
                    RefusedCase{"BlankSection", " ", "A", "1"}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return info.param.name; });

TEST(ProfileWriteFailure, UnwritableTargetsReportFailure) {
    TempFolder folder;
    EXPECT_EQ(WritePrivateProfileStringA("C", "A", "1", folder.path.c_str()), 0) << "a folder";
    EXPECT_EQ(WritePrivateProfileStringA("C", "A", "1", (folder.path + "/no/such.ini").c_str()), 0);
    EXPECT_EQ(WritePrivateProfileStringA("C", "A", "1", nullptr), 0);
}

TEST(ProfileRoundTrip, ManyWritesReadBack) {
    TempFolder folder;
    const std::string file = folder.File("r.ini");
    for (int i = 0; i < 20; ++i) {
        std::string key = "K" + std::to_string(i);
        std::string value = "value " + std::to_string(i * i) + " = end";
        ASSERT_NE(WritePrivateProfileStringA(i % 2 ? "ODD" : "EVEN", key.c_str(), value.c_str(),
                                             file.c_str()),
                  0);
    }
    ASSERT_NE(WritePrivateProfileStringA("odd", "k3", "changed", file.c_str()), 0);
    for (int i = 0; i < 20; ++i) {
        std::string key = "k" + std::to_string(i);
        std::string expected = i == 3 ? "changed" : "value " + std::to_string(i * i) + " = end";
        EXPECT_EQ(Read(file, i % 2 ? "Odd" : "Even", key.c_str()), expected) << key;
    }
}

TEST(ProfileAtomicity, CrashBeforeRenameKeepsOldFileWhole) {
    TempFolder folder;
    const std::string file = folder.File("s.ini");
    const std::string before = "[CONFIG]\r\nA=old\r\nB=keep\r\n";
    folder.Write("s.ini", before);

    // The process dies after writing the replacement but before renaming it.
    std::optional<std::string> temporary = WriteTemporaryBeside(file, "[CONFIG]\r\nA=new\r\n");
    ASSERT_TRUE(temporary);
    EXPECT_NE(*temporary, file);
    EXPECT_EQ(std::filesystem::path(*temporary).parent_path(), std::filesystem::path(folder.path))
        << "beside the file, so the rename stays on one file system";

    EXPECT_EQ(folder.Read("s.ini"), before);
    EXPECT_EQ(Read(file, "CONFIG", "A"), "old");
    // The next run writes normally despite the leftover.
    ASSERT_NE(WritePrivateProfileStringA("CONFIG", "A", "next", file.c_str()), 0);
    EXPECT_EQ(folder.Read("s.ini"), "[CONFIG]\r\nA=next\r\nB=keep\r\n");
}

TEST(ProfileAtomicity, CommitReplacesAndKeepsPermissions) {
    TempFolder folder;
    const std::string file = folder.File("s.ini");
    folder.Write("s.ini", "[CONFIG]\nA=1\n");
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    ASSERT_NE(WritePrivateProfileStringA("CONFIG", "A", "2", file.c_str()), 0);
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path)) {
        ++entries;
    }
    EXPECT_EQ(entries, 1u) << "no temporary file is left after a successful write";
}

TEST(ProfileAtomicity, LinkedSettingsFileStaysALink) {
    TempFolder folder;
    folder.Write("real.ini", "[CONFIG]\nA=1\n");
    std::filesystem::create_symlink(folder.File("real.ini"), folder.File("link.ini"));
    ASSERT_NE(WritePrivateProfileStringA("CONFIG", "A", "2", folder.File("link.ini").c_str()), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(folder.File("link.ini")));
    EXPECT_EQ(folder.Read("real.ini"), "[CONFIG]\nA=2\n");
}

} // namespace
