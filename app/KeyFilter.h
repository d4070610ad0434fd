#pragma once

#include "framework/WinTypes.h"

// Return and Escape would end a dialog or press its default button; our dialogs
// close only through their system menu or title bar, so both keys are swallowed.
bool IsSwallowedKey(const MSG* msg);
