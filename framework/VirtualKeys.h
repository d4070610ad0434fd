#pragma once

#include "framework/WinTypes.h"

// Windows virtual keys and the UI toolkit's key codes (Qt::Key), both ways. Keys
// without a Windows counterpart map to 0.
UINT VirtualKeyFromQtKey(int qtKey);
int QtKeyFromVirtualKey(UINT virtualKey);
