#include "framework/FileFilter.h"

#include <gtest/gtest.h>

namespace {

struct FilterCase {
    const char* name;
    const char* filter;
    std::vector<std::string> nameFilters;
};

class FileFilterParse : public testing::TestWithParam<FilterCase> {};

TEST_P(FileFilterParse, GivesNameFilters) {
    std::vector<std::string> nameFilters;
    for (const FileFilter& filter : ParseFileFilter(GetParam().filter)) {
        nameFilters.push_back(ToNameFilter(filter));
    }
    EXPECT_EQ(nameFilters, GetParam().nameFilters);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileFilterParse,
    testing::Values(FilterCase{"TextFiles",
                               "Text Files(*.txt) | *.txt; | All Files(*.*)| *.*||",
                               {"Text Files(*.txt) (*.txt)", "All Files(*.*) (*)"}},
                    FilterCase{"BinaryFiles",
                               "Binary Files(*.bin) | *.bin; |All Files(*.*)| *.*||",
                               {"Binary Files(*.bin) (*.bin)", "All Files(*.*) (*)"}},
                    FilterCase{"SeveralPatterns",
                               "Images|*.png;*.jpg ; *.bmp||",
                               {"Images (*.png *.jpg *.bmp)"}},
                    FilterCase{"NoDoubleBarEnd", "Bin|*.bin", {"Bin (*.bin)"}},
                    FilterCase{"TextAfterEndIgnored", "Bin|*.bin||Other|*.o|", {"Bin (*.bin)"}},
                    FilterCase{"NameWithoutPattern", "Bin|*.bin|Orphan", {"Bin (*.bin)"}},
                    FilterCase{"EmptyPatternDropped", "Empty| ; |Bin|*.bin||", {"Bin (*.bin)"}},
                    FilterCase{"BlankNameUsesPatterns", " |*.hex||", {"*.hex (*.hex)"}},
                    FilterCase{"Empty", "", {}}, FilterCase{"OnlyBars", "||||", {}},
                    FilterCase{"Null", nullptr, {}}),
    [](const testing::TestParamInfo<FilterCase>& info) { return info.param.name; });

TEST(FileFilterParse, KeepsNameAndPatternsApart) {
    std::vector<FileFilter> filters = ParseFileFilter("Text Files(*.txt) | *.txt; *.log |");
    ASSERT_EQ(filters.size(), 1u);
    EXPECT_EQ(filters[0].name, "Text Files(*.txt)");
    EXPECT_EQ(filters[0].patterns, (std::vector<std::string>{"*.txt", "*.log"}));
}

} // namespace
