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

bool Write(const char* section, const char* key, const char* value, const std::string& file) {
    return WritePrivateProfileStringA(section, key, value, file.c_str()) != 0;
}

TEST(Profile, ReadFindsValueOrDefault) {
    struct Case {
        const char* file;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"[CONFIG]\r\nA=1234\r\nB=99\r\n", "B", "99"},
        {"[config]\nA=x\n", "A", "x"},
        {"[CONFIG]\nkey=x\n", "KEY", "x"},
        {"[CONFIG]\n  A \t=  v w  \n", "A", "v w"},
        {" [ CONFIG ] \nA=1\n", "A", "1"},
        {"[CONFIG]\nA=x=y==z\n", "A", "x=y==z"},
        {"[CONFIG]\nA=\"quoted\"\n", "A", "quoted"},
        {"[CONFIG]\nA=\n", "A", ""},
        {"[CONFIG]\nA=last", "A", "last"},
        {"[CONFIG]\nA=1\nA=2\n", "A", "1"},
        {"[OTHER]\nA=1\n[CONFIG]\nB=2\n", "A", "DEFAULT"},
        {"A=1\n[CONFIG]\n", "A", "DEFAULT"},
        {"[OTHER]\nA=1\n", "A", "DEFAULT"},
        {"[CONFIG]\n;A=1\nA\nA=2\n", "A", "2"},
        {"[CONFIG]\nA=한글\n", "A", "한글"},
        {"\x01\xff[\x00]]]==\n\n[[[\r\r\r=\xfe\n", "A", "DEFAULT"},
        {"[CONFIG\nA=5\n", "A", "5"},
        {"\xEF\xBB\xBF[CONFIG]\r\nA=1\r\n", "A", "1"},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        folder.Write("s.ini", c.file);
        EXPECT_EQ(Read(folder.File("s.ini"), "CONFIG", c.key), c.expected);
    }
}

TEST(Profile, ReadLimitsAndMissingThings) {
    TempFolder folder;
    folder.Write("s.ini", "[CONFIG]\nA=0123456789ABCDEF0123\n");
    EXPECT_EQ(Read(folder.File("s.ini"), "CONFIG", "A", 17), "0123456789ABCDEF");
    EXPECT_EQ(Read(folder.File("s.ini"), "CONFIG", "A", 1), "");
    EXPECT_EQ(Read(folder.File("none.ini"), "CONFIG", "A", 4, "PRAWNSTUX"), "PRA");
    char sentinel = 'x';
    EXPECT_EQ(GetPrivateProfileStringA("C", "A", "D", &sentinel, 0, "/nonexistent.ini"), 0u);
    EXPECT_EQ(sentinel, 'x') << "size zero writes nothing";
    EXPECT_EQ(Read(folder.File("missing.ini"), "CONFIG", "A"), "DEFAULT");
    EXPECT_EQ(Read(folder.path, "CONFIG", "A"), "DEFAULT") << "a folder is not a settings file";
    EXPECT_EQ(Read(folder.File("missing.ini"), "CONFIG", "A", 50, nullptr), "");
    EXPECT_EQ(Read(folder.File("s.ini"), nullptr, "A"), "DEFAULT");
    EXPECT_EQ(Read(folder.File("s.ini"), "CONFIG", nullptr), "DEFAULT");
}

TEST(Profile, WriteChangesOnlyWhatIsAsked) {
    struct Case {
        const char* before;
        const char* section;
        const char* key;
        const char* value;
        const char* after;
    };
    const Case cases[] = {
        {nullptr, "CONFIG", "A", "x=y", "[CONFIG]\r\nA=x=y\r\n"},
        {"; top\r\n[CONFIG]\r\nA = old\r\nB=2\r\n\r\n[X]\r\n", "CONFIG", "a", "new",
         "; top\r\n[CONFIG]\r\na=new\r\nB=2\r\n\r\n[X]\r\n"},
        {"[CONFIG]\nA=1\n\n[X]\nY=2\n", "config", "B", "2", "[CONFIG]\nA=1\nB=2\n\n[X]\nY=2\n"},
        {"[X]\nY=2", "CONFIG", "A", "1", "[X]\nY=2\n[CONFIG]\nA=1\n"},
        {"[CONFIG]\nA=1", "CONFIG", "B", "2", "[CONFIG]\nA=1\nB=2"},
        {"[X]\r\nY=1\n[CONFIG]\r\nA=1\n", "CONFIG", "A", "2", "[X]\r\nY=1\n[CONFIG]\r\nA=2\n"},
        {"[CONFIG]\nA=1\nB=2\n", "CONFIG", "A", nullptr, "[CONFIG]\nB=2\n"},
        {"[CONFIG]\nA=1\n[X]\nY=2\n", "CONFIG", nullptr, nullptr, "[X]\nY=2\n"},
        {"\xEF\xBB\xBF[CONFIG]\nA=1\n", "CONFIG", "A", "2", "\xEF\xBB\xBF[CONFIG]\nA=2\n"},
        {"[X]\nY=2\n", "CONFIG", "A", nullptr, "[X]\nY=2\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.after);
        TempFolder folder;
        if (c.before != nullptr) {
            folder.Write("s.ini", c.before);
        }
        ASSERT_TRUE(Write(c.section, c.key, c.value, folder.File("s.ini")));
        EXPECT_EQ(folder.Read("s.ini"), c.after);
    }
    TempFolder folder;
    const char bytes[] = "\x01\xfe\x00junk\n[CONFIG]\n\xff\xff\n";
    const std::string binary(bytes, sizeof bytes - 1);
    folder.Write("s.ini", binary);
    ASSERT_TRUE(Write("CONFIG", "A", "1", folder.File("s.ini")));
    EXPECT_EQ(folder.Read("s.ini"), binary + "A=1\n") << "binary bytes around are kept";
}

// A line break in a name or value would plant extra lines in the file (a value
// "x\n[OTHER]" would create a section); such writes, and unwritable targets, fail.
TEST(Profile, RefusedWritesLeaveTheFileUntouched) {
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    };
    const Case cases[] = {{nullptr, "A", "1"},     {"CONFIG", "A", "x\n[OTHER]"},
                          {"CONFIG", "A", "x\ry"}, {"CONFIG", "A\nB", "1"},
                          {"CONFIG", "A=B", "1"},  {"CONFIG", "  ", "1"},
                          {"CONFIG", ";A", "1"},   {"CONFIG", "[A", "1"},
                          {"CON]FIG", "A", "1"},   {" ", "A", "1"}};
    TempFolder folder;
    const std::string before = "[CONFIG]\nA=1\n";
    folder.Write("s.ini", before);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.section << "/" << c.key << "/" << c.value);
        EXPECT_FALSE(Write(c.section, c.key, c.value, folder.File("s.ini")));
        EXPECT_EQ(folder.Read("s.ini"), before);
    }
    EXPECT_FALSE(Write("C", "A", "1", folder.path)) << "a folder";
    EXPECT_FALSE(Write("C", "A", "1", folder.path + "/no/such.ini"));
    EXPECT_FALSE(WritePrivateProfileStringA("C", "A", "1", nullptr));
}

TEST(Profile, ManyWritesReadBack) {
    TempFolder folder;
    const std::string file = folder.File("r.ini");
    auto value = [](int i) { return "value " + std::to_string(i * i) + " = end"; };
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(Write(i % 2 ? "ODD" : "EVEN",
                          std::string("K").append(std::to_string(i)).c_str(), value(i).c_str(),
                          file));
    }
    ASSERT_TRUE(Write("odd", "k3", "changed", file));
    for (int i = 0; i < 20; ++i) {
        const std::string key = std::string("k").append(std::to_string(i));
        EXPECT_EQ(Read(file, i % 2 ? "Odd" : "Even", key.c_str()), i == 3 ? "changed" : value(i))
            << key;
    }
}

TEST(Profile, CrashBeforeRenameKeepsOldFileWhole) {
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
    ASSERT_TRUE(Write("CONFIG", "A", "next", file));
    EXPECT_EQ(folder.Read("s.ini"), "[CONFIG]\r\nA=next\r\nB=keep\r\n");
}

TEST(Profile, CommitKeepsPermissionsLinksAndNoLeftover) {
    TempFolder folder;
    folder.Write("real.ini", "[CONFIG]\nA=1\n");
    std::filesystem::create_symlink(folder.File("real.ini"), folder.File("link.ini"));
    ASSERT_EQ(::chmod(folder.File("real.ini").c_str(), 0640), 0);
    ASSERT_TRUE(Write("CONFIG", "A", "2", folder.File("link.ini")));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.File("link.ini")));
    EXPECT_EQ(folder.Read("real.ini"), "[CONFIG]\nA=2\n");
    struct stat info {};
    ASSERT_EQ(::stat(folder.File("real.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    auto entries = std::distance(std::filesystem::directory_iterator(folder.path),
                                 std::filesystem::directory_iterator());
    EXPECT_EQ(entries, 2) << "no temporary file is left after a successful write";
}

} // namespace
