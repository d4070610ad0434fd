#pragma once

#include "framework/WinTypes.h"

#include <optional>

// What a WM_CTLCOLOR handler may set on the control's drawing: its text colour.
class CDC {
public:
    void SetTextColor(COLORREF color);
    std::optional<COLORREF> GetTextColor() const; // empty when the handler left it alone

private:
    std::optional<COLORREF> textColor;
};
