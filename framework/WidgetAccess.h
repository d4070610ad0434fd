#pragma once

#include "framework/UiThread.h"
#include "framework/Wnd.h"

#include <QWidget>

#include <string>

// Runs use on the UI thread with the window of wnd as a W; result stays fallback
// when the window is gone or of another kind.
template <class W, class R, class Use> R WithWidget(const CWnd& wnd, R fallback, Use use) {
    R result = fallback;
    RunOnUiThread([&] {
        if (W* widget = dynamic_cast<W*>(wnd.Widget())) {
            result = use(widget);
        }
    });
    return result;
}

template <class W, class Use> void WithWidget(const CWnd& wnd, Use use) {
    RunOnUiThread([&] {
        if (W* widget = dynamic_cast<W*>(wnd.Widget())) {
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
