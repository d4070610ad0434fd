#pragma once

#include "framework/WinTypes.h"

// Dialog units to pixels, as Windows does: a horizontal unit is a quarter of the
// dialog font's average character width, a vertical unit an eighth of its height.

struct DialogBaseUnits {
    int x; // average character width in pixels
    int y; // character height in pixels
};

// Windows' MulDiv: number * numerator / denominator rounded half away from zero;
// -1 when denominator is 0.
int MulDiv(int number, int numerator, int denominator);

// The average width from the width in pixels of the 52 letters "A..Za..z", rounded.
int AverageCharWidth(int widthOf52Letters);

// Converts a rectangle in dialog units into pixels.
RECT DialogUnitsToPixels(const RECT& dialogUnits, DialogBaseUnits base);
