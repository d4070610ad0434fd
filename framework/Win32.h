#pragma once

// <windows.h> for the Win32 back end. Include it before any framework header:
// framework/WinTypes.h then takes its types and constants from it. Its macros that
// would rename the framework's own functions (CWnd::MessageBox, CFont::CreateFont,
// ...) are dropped; the back end calls the wide (W) functions by name.
#ifndef UNICODE
#define UNICODE // the resource names (IDC_WAIT, ...) in their wide form
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#undef AppendMenu
#undef CreateFont
#undef GetModuleFileName
#undef GetWindowText
#undef LoadIcon
#undef MessageBox
#undef SetWindowText
