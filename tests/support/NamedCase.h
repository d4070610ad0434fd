#pragma once

#include <gtest/gtest.h>

#include <concepts>
#include <ostream>
#include <string>

// Rows are written TotalCase{"OneByte", 1, 256}: standard brace elision of the
// NamedCase base. Clang's -Wmissing-braces flags every such row (GCC dropped that
// warning from C++ for this idiom); the tables including this header opt out.
#if defined(__clang__)
#pragma clang diagnostic ignored "-Wmissing-braces"
#endif

namespace testsupport {

// Table rows name themselves: the name appears in the test's name and in listings
// instead of the row's raw bytes.
struct NamedCase {
    const char* name;
};

template <std::derived_from<NamedCase> Case> void PrintTo(const Case& row, std::ostream* out) {
    *out << row.name;
}

template <std::derived_from<NamedCase> Case>
std::string CaseName(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

} // namespace testsupport
