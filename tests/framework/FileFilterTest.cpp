#include "framework/FileFilter.h"

#include <gtest/gtest.h>

namespace {

TEST(FileFilterParse, GivesNameFilters) {
    struct Case {
        const char* filter;
        std::vector<std::string> nameFilters;
    };
    const Case cases[] = {
        {"Text Files(*.txt) | *.txt; | All Files(*.*)| *.*||",
         {"Text Files(*.txt) (*.txt)", "All Files(*.*) (*)"}},
        {"Images|*.png;*.jpg ; *.bmp||", {"Images (*.png *.jpg *.bmp)"}},
        {"Bin|*.bin", {"Bin (*.bin)"}},
        {"Bin|*.bin||Other|*.o|", {"Bin (*.bin)"}},
        {"Bin|*.bin|Orphan", {"Bin (*.bin)"}},
        {"Empty| ; |Bin|*.bin||", {"Bin (*.bin)"}},
        {" |*.hex||", {"*.hex (*.hex)"}},
        {"||||", {}},
        {nullptr, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter != nullptr ? c.filter : "(null)");
        std::vector<std::string> nameFilters;
        for (const FileFilter& filter : ParseFileFilter(c.filter)) {
            nameFilters.push_back(ToNameFilter(filter));
        }
        EXPECT_EQ(nameFilters, c.nameFilters);
    }
}

} // namespace
