#include "framework/AtomicFile.h"
#include "framework/Clock.h"
#include "framework/DialogUnits.h"
#include "framework/FileFilter.h"
#include "framework/FileFind.h"
#include "framework/LocalTime.h"
#include "framework/LogFile.h"
#include "framework/Profile.h"
#include "framework/ProgramFolder.h"
#include "framework/UserFolders.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>

namespace {

namespace fs = std::filesystem;

using Folder = testsupport::TempFolder;

std::string ReadIni(const std::string& file, const char* section, const char* key,
                    unsigned long size = 256, const char* fallback = "DEFAULT") {
    std::string buffer(size, '\xAA');
    unsigned long copied =
        GetPrivateProfileStringA(section, key, fallback, buffer.data(), size, file.c_str());
    EXPECT_EQ(buffer[copied], '\0') << "always terminated";
    return buffer.substr(0, copied);
}

bool WriteIni(const char* section, const char* key, const char* value, const std::string& file) {
    return WritePrivateProfileStringA(section, key, value, file.c_str()) != 0;
}

TEST(Profile, ReadFindsTheFirstValueCaseInsensitivelyOrTheDefault) {
    const std::pair<const char*, const char*> cases[] = {
        {"[CONFIG]\r\nA=1234\r\nB=99\r\n", "99"},
        {"[config]\nb=x\n", "x"},
        {"[CONFIG]\n  B \t=  v w  \n", "v w"},
        {" [ CONFIG ] \nB=1\n", "1"},
        {"[CONFIG]\nB=x=y==z\n", "x=y==z"},

        {"[CONFIG]\nB=\n", ""},

        {"[CONFIG]\nB=1\nB=2\n", "1"},
        {"[OTHER]\nB=1\n[CONFIG]\nA=2\n", "DEFAULT"},

        {"[CONFIG]\n;B=1\nB\nB=2\n", "2"},
        {"[CONFIG]\nB=한글\n", "한글"},
        {"\x01\xff[\x00]]]==\n[[[\r\r=\xfe\n", "DEFAULT"},

        {"\xEF\xBB\xBF[CONFIG]\r\nB=1\r\n", "1"},
    };
    Folder folder;
    for (const auto& [file, expected] : cases) {
        SCOPED_TRACE(file);
        folder.Write("s.ini", file);
        EXPECT_EQ(ReadIni(folder.File("s.ini"), "CONFIG", "B"), expected);
    }
    folder.Write("s.ini", "[CONFIG]\nA=0123456789ABCDEF0123\n");
    EXPECT_EQ(ReadIni(folder.File("s.ini"), "CONFIG", "A", 17), "0123456789ABCDEF") << "size - 1";
    EXPECT_EQ(ReadIni(folder.File("none.ini"), "CONFIG", "A", 4, "PRAWNSTUX"), "PRA");
    EXPECT_EQ(ReadIni(folder.Path().string(), "CONFIG", "A"), "DEFAULT") << "a folder";
    EXPECT_EQ(ReadIni(folder.File("s.ini"), "CONFIG", nullptr), "DEFAULT") << "no key";
}

TEST(Profile, WriteChangesOnlyItsLineAndKeepsEveryOtherByte) {
    const struct {
        const char *before, *section, *key, *value, *after;
    } cases[] = {
        {nullptr, "CONFIG", "A", "x=y", "[CONFIG]\r\nA=x=y\r\n"},
        {"; top\r\n[CONFIG]\r\nA = old\r\nB=2\r\n\r\n[X]\r\n", "CONFIG", "a", "new",
         "; top\r\n[CONFIG]\r\na=new\r\nB=2\r\n\r\n[X]\r\n"},
        {"[CONFIG]\nA=1\n\n[X]\nY=2\n", "config", "B", "2", "[CONFIG]\nA=1\nB=2\n\n[X]\nY=2\n"},
        {"[X]\r\nY=1\n[CONFIG]\r\nA=1\n", "CONFIG", "A", "2", "[X]\r\nY=1\n[CONFIG]\r\nA=2\n"},
        {"[CONFIG]\nA=1\nB=2\n", "CONFIG", "A", nullptr, "[CONFIG]\nB=2\n"},
        {"[CONFIG]\nA=1\n[X]\nY=2\n", "CONFIG", nullptr, nullptr, "[X]\nY=2\n"},
        {"\x01\xfe junk\n[CONFIG]\n\xff\xff\n", "CONFIG", "A", "1",
         "\x01\xfe junk\n[CONFIG]\n\xff\xff\nA=1\n"},
        // A last line ending in a bare CR keeps it (found by fuzz/IniDocumentFuzz.cpp).
        {"[X]\nY=1\n[CONFIG\r", "CONFIG", "A", "1", "[X]\nY=1\n[CONFIG\r\r\n[CONFIG]\nA=1\n"},
        {"[CONFIG]\nB=2\r", "CONFIG", "A", "1", "[CONFIG]\nB=2\r\r\nA=1"},
        {"[CONFIG]\nB=2", "CONFIG", "A", "1", "[CONFIG]\nB=2\nA=1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.after);
        Folder folder;
        if (c.before != nullptr) {
            folder.Write("s.ini", c.before);
            fs::permissions(folder.File("s.ini"), fs::perms(0600));
        }
        ASSERT_TRUE(WriteIni(c.section, c.key, c.value, folder.File("s.ini")));
        EXPECT_EQ(folder.Read("s.ini"), c.after);
        // A replaced file keeps its permissions; a new one is rw-r--r--.
        EXPECT_EQ(fs::status(folder.File("s.ini")).permissions(),
                  fs::perms(c.before != nullptr ? 0600 : 0644));
    }
}

// A line break in a name or value would plant lines of its own ("x\n[OTHER]").
TEST(Profile, RefusedWritesLeaveTheFileUntouched) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {nullptr, "A", "1"},     {"CONFIG", "A", "x\n[OTHER]"},
        {"CONFIG", "A", "x\ry"}, {"CONFIG", "A\nB", "1"},
        {"CONFIG", "A=B", "1"},  {"CONFIG", ";A", "1"},
        {"CON]FIG", "A", "1"},   {" ", "A", "1"}};
    Folder folder;
    folder.Write("s.ini", "[CONFIG]\nA=1\n");
    for (const auto& [section, key, value] : cases) {
        SCOPED_TRACE(testing::Message() << section << "/" << key << "/" << value);
        EXPECT_FALSE(WriteIni(section, key, value, folder.File("s.ini")));
        EXPECT_EQ(folder.Read("s.ini"), "[CONFIG]\nA=1\n");
    }
    EXPECT_FALSE(WriteIni("C", "A", "1", folder.Path().string())) << "a folder";
}

// The replacement is written beside the file and renamed over it: a crash before
// the rename leaves the old file whole; a link stays a link.
TEST(Profile, ReplacesTheFileAtomically) {
    Folder folder;
    folder.Write("real.ini", "[CONFIG]\r\nA=old\r\nB=keep\r\n");
    fs::create_symlink(folder.File("real.ini"), folder.File("link.ini"));
    std::optional<std::string> leftover = WriteTemporaryBeside(folder.File("real.ini"), "cut");
    ASSERT_TRUE(leftover);
    EXPECT_EQ(fs::path(*leftover).parent_path(), folder.Path());
    EXPECT_EQ(ReadIni(folder.File("link.ini"), "CONFIG", "A"), "old");
    fs::remove(*leftover);
    ASSERT_TRUE(WriteIni("CONFIG", "A", "new", folder.File("link.ini")));
    EXPECT_TRUE(fs::is_symlink(folder.File("link.ini")));
    EXPECT_EQ(folder.Read("real.ini"), "[CONFIG]\r\nA=new\r\nB=keep\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 2)
        << "no temporary file is left";
}

TEST(DialogUnits, ConvertWithWindowsRounding) {
    const int muldiv[][4] = {{8, 6, 4, 12},  {5, 6, 4, 8},       {1, 5, 4, 1},
                             {-5, 6, 4, -8}, {5, 6, -4, -8},     {100000, 100000, 100000, 100000},
                             {7, 3, 0, -1},  {INT_MAX, 4, 1, -1}};
    for (const auto& c : muldiv) {
        EXPECT_EQ(MulDiv(c[0], c[1], c[2]), c[3]) << c[0] << "*" << c[1] << "/" << c[2];
    }
    EXPECT_EQ(AverageCharWidth(337), 6); // 6.48
    EXPECT_EQ(AverageCharWidth(339), 7); // 6.52
    // Base units 6 x 13 are those of a 9-point dialog font on Windows.
    const RECT r = DialogUnitsToPixels(RECT{210, 119, 348, 151}, DialogBaseUnits{6, 13});
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
              (std::vector<LONG>{315, 193, 522, 245}));
}

TEST(FileFilter, GivesNameFilters) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"Text Files(*.txt) | *.txt; | All Files(*.*)| *.*||",
         {"Text Files(*.txt) (*.txt)", "All Files(*.*) (*)"}},
        {"Bin|*.bin||Other|*.o|", {"Bin (*.bin)"}},
        {"Bin|*.bin|Odd", {"Bin (*.bin)"}},
        {"Empty| ; |Bin|*.bin||", {"Bin (*.bin)"}},
        {" |*.hex||", {"*.hex (*.hex)"}},
    };
    for (const auto& [filter, expected] : cases) {
        std::vector<std::string> nameFilters;
        for (const FileFilter& entry : ParseFileFilter(filter)) {
            nameFilters.push_back(ToNameFilter(entry));
        }
        EXPECT_EQ(nameFilters, expected) << filter;
    }
}

TEST(FileSearch, WildcardsMatchCaseInsensitively) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"MakeEncryptFWZ.BIN", "makeencryptfwz.bin", true},
        {"a-b-c-d.bin", "a-*-d.bin", true},
        {"a한", "a?", true},
        {"a\xE0\xA0\x80", "a?", true},
        {"a😀b", "a?b", true},
        {"README", "*.*", true},
        {"XMakeEncryptFW_a.bin", "MakeEncryptFW_*.bin", false},
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*a*a*a*c", false},
    };
    for (const auto& [name, pattern, matches] : cases) {
        EXPECT_EQ(WildcardMatch(name, pattern), matches) << name << " ~ " << pattern;
    }
}

TEST(ProgramFolder, IsWhereTheProgramLies) {
    EXPECT_TRUE(fs::equivalent(GetModuleFileName(), "/proc/self/exe"));
}

// Sets (or, with nullopt, unsets) an environment variable for one scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            previous_ = old;
        }
        value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    }
    ~ScopedEnvironment() { previous_ ? ::setenv(name_, previous_->c_str(), 1) : ::unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> previous_;
};

TEST(UserFolders, OnlyAnAbsoluteBaseFolderCountsOtherwiseTheHomeDefault) {
    const ScopedEnvironment home("HOME", "/home/tech");
    struct Case {
        const char* name;
        std::optional<std::string> value;
        const char* config;
        const char* data;
    };
    const Case cases[] = {
        {"set", "/srv/x", "/srv/x/brimlet", "/srv/x/brimlet"},
        {"unset", std::nullopt, "/home/tech/.config/brimlet", "/home/tech/.local/share/brimlet"},
        {"empty", "", "/home/tech/.config/brimlet", "/home/tech/.local/share/brimlet"},
        {"relative", "x/y", "/home/tech/.config/brimlet", "/home/tech/.local/share/brimlet"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ScopedEnvironment config("XDG_CONFIG_HOME", c.value);
        const ScopedEnvironment data("XDG_DATA_HOME", c.value);
        EXPECT_EQ(UserConfigFolder(), c.config);
        EXPECT_EQ(UserDataFolder(), c.data);
    }
    const ScopedEnvironment state("XDG_STATE_HOME", std::nullopt);
    EXPECT_EQ(UserLogFilePath(), "/home/tech/.local/state/brimlet/brimlet.log");
}

TEST(LogFile, StampsEachLineAtOnceRotatesAtOneMebibyteKeepingThreeAndFailsQuietly) {
    const ScopedEnvironment zone("TZ", "KST-9");
    ::tzset();
    const Folder folder;
    const std::unique_ptr<LogFile> log = OpenRotatingLogFile(folder.File("state/brimlet.log"));
    log->Write("status: 다운로드\r\n실패");
    const std::regex stamped(
        R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}\+09:00 status: 다운로드 실패\n)");
    EXPECT_TRUE(std::regex_match(folder.Read("state/brimlet.log"), stamped));
    {
        const ScopedEnvironment halfHourBehind("TZ", "XST+2:30");
        ::tzset();
        EXPECT_TRUE(LocalTimeNow().ends_with("-02:30")) << LocalTimeNow();
    }
    for (int i = 0; i < 5 * 1024; ++i) {
        log->Write(std::string(1000, 'x'));
    }
    const std::uintmax_t oldest = fs::file_size(folder.File("state/brimlet.3.log"));
    EXPECT_TRUE(oldest <= 1u << 20 && oldest > (1u << 20) - 1100) << oldest;
    EXPECT_FALSE(fs::exists(folder.File("state/brimlet.4.log")));
    testing::internal::CaptureStderr();
    OpenRotatingLogFile(folder.File("state/brimlet.log/under-a-file.log"))->Write("lost");
    OpenRotatingLogFile("/dev/full")->Write("lost");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

class InstalledPaths : public testing::Test {
protected:
    Folder program;
    Folder user;
    ScopedProgramFolder programSeam{program.Path().string()};
    ScopedEnvironment config{"XDG_CONFIG_HOME", user.File("config")};
    ScopedEnvironment data{"XDG_DATA_HOME", user.File("data")};
};

TEST_F(InstalledPaths, PortableFolderKeepsEverythingBesideTheProgram) {
    EXPECT_FALSE(IsInstalledProgramFolder(program.Path().string()));
    EXPECT_EQ(GetSettingsPath("Brimlet.ini"), program.File("Brimlet.ini"));
    EXPECT_EQ(GetFirmwareSearchFolders(), std::vector<std::string>{program.Path().string()});
    EXPECT_FALSE(std::filesystem::exists(user.File("config")));
}

TEST_F(InstalledPaths, MarkedFolderUsesTheUsersFoldersAndTheirFirmwareFirst) {
    program.Write(kInstallMarkerName, "");
    EXPECT_TRUE(IsInstalledProgramFolder(program.Path().string()));
    EXPECT_EQ(GetSettingsPath("Brimlet.ini"), user.File("config/brimlet/Brimlet.ini"));
    // Made on the way, so the settings file can be written at once.
    EXPECT_TRUE(std::filesystem::is_directory(user.File("config/brimlet")));
    EXPECT_EQ(GetFirmwareSearchFolders(),
              (std::vector<std::string>{user.File("data/brimlet"), program.Path().string()}));
}

TEST_F(InstalledPaths, MissingFolderIsNotTakenForAReadOnlyOne) {
    EXPECT_FALSE(IsInstalledProgramFolder(program.File("gone")));
}

TEST(VirtualClock, SleepsMoveTicksAtOnceAndWrapLikeWindows) {
    VirtualClock clock(0xFFFFFF00u);
    ScopedClock installed(clock);
    const DWORD start = GetTickCount();
    Sleep(0x100);
    clock.Advance(0x10);
    EXPECT_EQ(GetTickCount(), 0x10u) << "wrapped";
    EXPECT_EQ(GetTickCount() - start, 0x110u) << "elapsed time survives the wrap";
    EXPECT_EQ(clock.TotalSlept(), 0x100u) << "Advance is not sleeping";
}

} // namespace
