#pragma once

#include "framework/WinTypes.h"

#include <functional>

class CDialog;
class CWnd;

// Drives dialogs as a user would, for tests of the system's windows. UI thread only.

// A key press sent to target (the control that has the focus): virtualKey as in
// WM_KEYDOWN; withAlt for Alt+key.
void PressKey(CWnd& target, UINT virtualKey, bool withAlt = false);
// A close request as from the title bar or Alt+F4; TRUE if the window closed.
BOOL RequestClose(CDialog& dialog);
// Right click at the dialog's client point (x, y).
void RightClick(CDialog& dialog, int x, int y);
// Chooses the item id of the open system menu; FALSE when no menu is open or the
// item is missing or disabled.
BOOL ChooseOpenMenuItem(CDialog& dialog, UINT id);
// Processes UI events until done() is true or boundMs have passed; returns done().
bool ProcessEventsUntil(const std::function<bool()>& done, int boundMs = 10000);
