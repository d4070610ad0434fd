#pragma once

#include "framework/UiThread.h"
#include "framework/Wnd.h"

#include <QWidget>

#include <string>

// True for the controls of a dialog whose CDialog has let go of its window (the
// window itself is deleted later): they count as destroyed.
bool IsReleasedWindow(const QWidget* widget);

// Runs use on the UI thread with the window of wnd as a W; result stays fallback
// when the window is gone or of another kind.
template <class W, class R, class Use> R WithWidget(const CWnd& wnd, R fallback, Use use) {
    R result = fallback;
    RunOnUiThread([&] {
        W* widget = dynamic_cast<W*>(wnd.Widget());
        if (widget != nullptr && !IsReleasedWindow(widget)) {
            result = use(widget);
        }
    });
    return result;
}

template <class W, class Use> void WithWidget(const CWnd& wnd, Use use) {
    RunOnUiThread([&] {
        W* widget = dynamic_cast<W*>(wnd.Widget());
        if (widget != nullptr && !IsReleasedWindow(widget)) {
            use(widget);
        }
    });
}

// The window text of any of the framework's widgets (UI thread).
void SetWidgetText(QWidget* widget, const std::string& text);
std::string GetWidgetText(const QWidget* widget);

// The template id a control widget carries; kNoControlId for others.
int ControlIdOf(const QWidget* widget);
void SetControlId(QWidget* widget, int id);
