#include "framework/DialogUnits.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct MulDivCase {
    const char* name;
    int number, numerator, denominator, expected;
};

class MulDivRounding : public testing::TestWithParam<MulDivCase> {};

TEST_P(MulDivRounding, RoundsHalfAwayFromZero) {
    const MulDivCase& c = GetParam();
    EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MulDivRounding,
    testing::Values(MulDivCase{"Exact", 8, 6, 4, 12}, MulDivCase{"HalfUp", 5, 6, 4, 8},
                    MulDivCase{"BelowHalf", 1, 5, 4, 1}, MulDivCase{"NegativeHalf", -5, 6, 4, -8},
                    MulDivCase{"NegativeDenominator", 5, 6, -4, -8},
                    MulDivCase{"NoOverflowInProduct", 100000, 100000, 100000, 100000},
                    MulDivCase{"ResultTooLarge", INT_MAX, 4, 1, -1},
                    MulDivCase{"ZeroDenominator", 7, 3, 0, -1}),
    [](const testing::TestParamInfo<MulDivCase>& info) { return info.param.name; });

TEST(DialogBaseUnits, AverageWidthIsRoundedFromTheAlphabet) {
    EXPECT_EQ(AverageCharWidth(312), 6); // exactly 6 per letter
    EXPECT_EQ(AverageCharWidth(337), 6); // 6.48
    EXPECT_EQ(AverageCharWidth(339), 7); // 6.52
    EXPECT_EQ(AverageCharWidth(0), 0);
}

struct RectCase {
    const char* name;
    RECT dialogUnits;
    DialogBaseUnits base;
    RECT pixels;
};

class DialogUnitConversion : public testing::TestWithParam<RectCase> {};

TEST_P(DialogUnitConversion, ScalesByQuarterAndEighth) {
    RECT r = DialogUnitsToPixels(GetParam().dialogUnits, GetParam().base);
    EXPECT_EQ(r.left, GetParam().pixels.left);
    EXPECT_EQ(r.top, GetParam().pixels.top);
    EXPECT_EQ(r.right, GetParam().pixels.right);
    EXPECT_EQ(r.bottom, GetParam().pixels.bottom);
}

// Base units 6 x 13 are those of a 9-point dialog font on Windows; a 355 x 320 dialog
// is then 533 x 520 pixels.
INSTANTIATE_TEST_SUITE_P(
    Cases, DialogUnitConversion,
    testing::Values(RectCase{"MainWindow", {0, 0, 355, 320}, {6, 13}, {0, 0, 533, 520}},
                    RectCase{"TransferButton", {210, 119, 348, 151}, {6, 13}, {315, 193, 522, 245}},
                    RectCase{"SmallFont", {7, 7, 348, 38}, {5, 13}, {9, 11, 435, 62}},
                    RectCase{"Zero", {0, 0, 0, 0}, {6, 13}, {0, 0, 0, 0}}),
    [](const testing::TestParamInfo<RectCase>& info) { return info.param.name; });

} // namespace
