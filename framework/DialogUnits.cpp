#include "framework/DialogUnits.h"

#include <cstdint>

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) {
        return -1;
    }
    std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    std::int64_t half = (denominator < 0 ? -denominator : denominator) / 2;
    bool negative = (product < 0) != (denominator < 0);
    std::int64_t magnitude = (product < 0 ? -product : product) + half;
    std::int64_t quotient =
        magnitude / (denominator < 0 ? -static_cast<std::int64_t>(denominator) : denominator);
    if (quotient > INT32_MAX) {
        return -1; // as Windows reports an overflow
    }
    return static_cast<int>(negative ? -quotient : quotient);
}

// Windows: (width / 26 + 1) / 2, the rounded average of the 52 letters.
int AverageCharWidth(int widthOf52Letters) {
    return (widthOf52Letters / 26 + 1) / 2;
}

RECT DialogUnitsToPixels(const RECT& dialogUnits, DialogBaseUnits base) {
    return RECT{MulDiv(dialogUnits.left, base.x, 4), MulDiv(dialogUnits.top, base.y, 8),
                MulDiv(dialogUnits.right, base.x, 4), MulDiv(dialogUnits.bottom, base.y, 8)};
}
