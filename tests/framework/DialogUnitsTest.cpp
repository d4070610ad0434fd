#include "framework/DialogUnits.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(DialogUnits, MulDivRoundsHalfAwayFromZero) {
    struct Case {
        int number, numerator, denominator, expected;
    };
    for (const Case& c : {Case{8, 6, 4, 12}, Case{5, 6, 4, 8}, Case{1, 5, 4, 1}, Case{-5, 6, 4, -8},
                          Case{5, 6, -4, -8}, Case{100000, 100000, 100000, 100000},
                          Case{INT_MAX, 4, 1, -1}, Case{7, 3, 0, -1}}) {
        SCOPED_TRACE(testing::Message() << c.number << "*" << c.numerator << "/" << c.denominator);
        EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected);
    }
}

TEST(DialogUnits, AverageWidthIsRoundedFromTheAlphabet) {
    EXPECT_EQ(AverageCharWidth(337), 6); // 6.48
    EXPECT_EQ(AverageCharWidth(339), 7); // 6.52
    EXPECT_EQ(AverageCharWidth(0), 0);
}

// Base units 6 x 13 are those of a 9-point dialog font on Windows; a 355 x 320 dialog
// is then 533 x 520 pixels.
TEST(DialogUnits, ScaleByQuarterAndEighth) {
    struct Case {
        RECT dialogUnits;
        DialogBaseUnits base;
        RECT pixels;
    };
    for (const Case& c : {Case{{0, 0, 355, 320}, {6, 13}, {0, 0, 533, 520}},
                          Case{{210, 119, 348, 151}, {6, 13}, {315, 193, 522, 245}},
                          Case{{7, 7, 348, 38}, {5, 13}, {9, 11, 435, 62}}}) {
        RECT r = DialogUnitsToPixels(c.dialogUnits, c.base);
        EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
                  (std::vector<LONG>{c.pixels.left, c.pixels.top, c.pixels.right, c.pixels.bottom}))
            << c.dialogUnits.right;
    }
}

} // namespace
