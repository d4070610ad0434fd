#pragma once

// What stands behind the framework's objects in the back end that draws them: the
// toolkit's objects on Linux, USER32 and GDI32 handles on Windows. Only the
// framework (and tests of its own back end) look behind them.
#ifdef _WIN32
struct HWND__;
struct HFONT__;
struct HMENU__;
using NativeWindow = HWND__*;
using NativeFont = HFONT__*;
using NativeMenu = HMENU__*;
#else
class QFont;
class QMenu;
class QWidget;
using NativeWindow = QWidget*;
using NativeFont = const QFont*;
using NativeMenu = QMenu*;
#endif
