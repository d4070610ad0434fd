#pragma once

#include "framework/WinTypes.h"

// Where the notice goes: centred on the main window, then 85 pixels higher so that
// it does not hide the status line and progress bar. Halves are integer divisions
// rounding toward zero, as the window was always placed.
POINT NoticePosition(const RECT& mainWindow, int noticeClientWidth, int noticeClientHeight);
