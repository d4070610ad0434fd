#include "framework/DeviceContext.h"

#include <utility>

COLORREF CDC::SetTextColor(COLORREF color) {
    return std::exchange(textColor, color).value_or(RGB(0, 0, 0));
}

std::optional<COLORREF> CDC::GetTextColor() const {
    return textColor;
}
