#include "framework/DeviceContext.h"

void CDC::SetTextColor(COLORREF color) {
    textColor = color;
}

std::optional<COLORREF> CDC::GetTextColor() const {
    return textColor;
}
