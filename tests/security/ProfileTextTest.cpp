#include "security/ProfileText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace {

// Each test gets its own settings file in a fresh temporary folder.
class ReadProfileTextTest : public testing::Test {
protected:
    void SetUp() override {
        // a random name keeps parallel runs of the suite apart
        folder = std::filesystem::temp_directory_path() /
                 ("brimlet-profile-" + std::to_string(std::random_device()()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        file = (folder / "Brimlet.ini").string();
        std::ofstream(file) << "[CONFIG]\nA=0123456789ABCDEF0123\nB=short\n";
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::filesystem::path folder;
    std::string file;
};

struct ProfileCase {
    const char* name;
    const char* section;
    const char* key;
    int size;
    const char* expected;
};

class ReadProfileTextCases : public ReadProfileTextTest,
                             public testing::WithParamInterface<ProfileCase> {};

TEST_P(ReadProfileTextCases, ReturnsTheValueCutToSizeOrTheDefault) {
    EXPECT_EQ(
        ReadProfileText(GetParam().section, GetParam().key, "fallback", file, GetParam().size),
        GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Reads, ReadProfileTextCases,
    testing::Values(ProfileCase{"WholeValue", "CONFIG", "A", 100, "0123456789ABCDEF0123"},
                    ProfileCase{"Size17KeepsSixteenCharacters", "CONFIG", "A", 17,
                                "0123456789ABCDEF"},
                    ProfileCase{"ShortValue", "CONFIG", "B", 17, "short"},
                    ProfileCase{"MissingKey", "CONFIG", "C", 100, "fallback"},
                    ProfileCase{"MissingSection", "OTHER", "A", 100, "fallback"},
                    ProfileCase{"DefaultCutToSize", "CONFIG", "C", 5, "fall"},
                    ProfileCase{"SizeOneLeavesOnlyTheTerminator", "CONFIG", "A", 1, ""},
                    ProfileCase{"SizeZeroReadsNothing", "CONFIG", "A", 0, ""},
                    ProfileCase{"NegativeSizeReadsNothing", "CONFIG", "A", -3, ""}),
    [](const testing::TestParamInfo<ProfileCase>& info) { return info.param.name; });

TEST_F(ReadProfileTextTest, MissingFileGivesTheDefault) {
    EXPECT_EQ(ReadProfileText("CONFIG", "A", "fallback", (folder / "absent.ini").string(), 100),
              "fallback");
}

} // namespace
