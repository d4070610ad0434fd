#pragma once

#include "framework/Wnd.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>

// Input as a user gives it: through the window system's input path, where the
// toolkit finds the window under the pointer and refuses input to a window that a
// modal one blocks. An event sent straight to a widget skips both. UI thread only.
namespace screeninput {

inline QWindow* TopLevelOf(CWnd& wnd) {
    return wnd.Widget()->window()->windowHandle();
}

// A left click at the centre of control, given to whichever top-level window the
// screen shows there: a window stacked over the control takes the click instead.
inline void Click(CWnd& control) {
    QWidget* widget = control.Widget();
    const QPoint global = widget->mapToGlobal(widget->rect().center());
    QWindow* under = QGuiApplication::topLevelAt(global);
    ASSERT_NE(under, nullptr) << "nothing on the screen at the control";
    QTest::mouseClick(under, Qt::LeftButton, Qt::NoModifier, under->mapFromGlobal(global));
}

// A key pressed and released while window is the active one.
inline void Press(CWnd& window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(TopLevelOf(window), key, modifiers);
}

} // namespace screeninput
