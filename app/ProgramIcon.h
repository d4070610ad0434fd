#pragma once

#include "framework/Icon.h"

// Icon 128, registered with the framework on first use so that the main window,
// the about box and the task bar all show the same picture.
HICON ProgramIcon();
