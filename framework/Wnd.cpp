#include "framework/Wnd.h"

#include "framework/DialogTemplate.h"
#include "framework/Font.h"
#include "framework/WidgetAccess.h"

#include <QFont>
#include <QPointer>

struct CWnd::State {
    QPointer<QWidget> widget;
    int controlId = kNoControlId;
};

CWnd::CWnd() : state(std::make_unique<State>()) {}

CWnd::~CWnd() = default;

void CWnd::Attach(NativeWindow widget, int controlId) {
    state->widget = widget;
    state->controlId = controlId;
}

NativeWindow CWnd::Widget() const {
    return state->widget.data();
}

BOOL CWnd::IsAttached() const {
    return WithWidget<QWidget>(*this, FALSE, [](QWidget*) { return TRUE; });
}

void CWnd::SetWindowText(const std::string& text) {
    WithWidget<QWidget>(*this, [&](QWidget* widget) { SetWidgetText(widget, text); });
}

std::string CWnd::GetWindowText() const {
    return WithWidget<QWidget>(*this, std::string(),
                               [](QWidget* widget) { return GetWidgetText(widget); });
}

BOOL CWnd::EnableWindow(BOOL enable) {
    return WithWidget<QWidget>(*this, FALSE, [&](QWidget* widget) {
        BOOL wasDisabled = !widget->isEnabled();
        widget->setEnabled(enable != FALSE);
        return wasDisabled;
    });
}

BOOL CWnd::IsWindowEnabled() const {
    return WithWidget<QWidget>(*this, FALSE,
                               [](QWidget* widget) { return widget->isEnabled() ? TRUE : FALSE; });
}

BOOL CWnd::ShowWindow(int showCommand) {
    return WithWidget<QWidget>(*this, FALSE, [&](QWidget* widget) {
        BOOL wasVisible = widget->isVisible();
        widget->setVisible(showCommand != SW_HIDE);
        return wasVisible;
    });
}

BOOL CWnd::IsWindowVisible() const {
    return WithWidget<QWidget>(*this, FALSE,
                               [](QWidget* widget) { return widget->isVisible() ? TRUE : FALSE; });
}

BOOL CWnd::IsIconic() const {
    return WithWidget<QWidget>(
        *this, FALSE, [](QWidget* widget) { return widget->isMinimized() ? TRUE : FALSE; });
}

void CWnd::SetFont(CFont* font, BOOL) {
    if (font == nullptr || font->Font() == nullptr) {
        return;
    }
    WithWidget<QWidget>(*this, [&](QWidget* widget) { widget->setFont(*font->Font()); });
}

void CWnd::SetFocus() {
    WithWidget<QWidget>(*this, [](QWidget* widget) { widget->setFocus(Qt::OtherFocusReason); });
}

int CWnd::GetDlgCtrlID() const {
    return state->controlId;
}

namespace {

// Windows sizes a top-level window with its frame; the toolkit sizes the client area.
void ResizeWindow(QWidget* widget, int width, int height) {
    QSize frame = widget->isWindow() ? widget->frameGeometry().size() - widget->size() : QSize();
    QSize client(std::max(0, width - frame.width()), std::max(0, height - frame.height()));
    if (widget->minimumSize() == widget->maximumSize()) {
        widget->setFixedSize(client); // a dialog's fixed size moves with it
    } else {
        widget->resize(client);
    }
}

} // namespace

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL) {
    WithWidget<QWidget>(*this, [&](QWidget* widget) {
        widget->move(x, y);
        ResizeWindow(widget, width, height);
    });
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return WithWidget<QWidget>(*this, FALSE, [&](QWidget* widget) {
        if ((flags & SWP_NOMOVE) == 0) {
            widget->move(x, y);
        }
        if ((flags & SWP_NOSIZE) == 0) {
            ResizeWindow(widget, cx, cy);
        }
        if ((flags & SWP_NOZORDER) == 0 && insertAfter == &wndTop) {
            widget->raise();
        }
        if ((flags & SWP_SHOWWINDOW) != 0) {
            widget->show();
        }
        if ((flags & SWP_HIDEWINDOW) != 0) {
            widget->hide();
        }
        return TRUE;
    });
}

void CWnd::GetWindowRect(RECT* rect) const {
    *rect = RECT{0, 0, 0, 0};
    WithWidget<QWidget>(*this, [&](QWidget* widget) {
        QRect screen = widget->isWindow()
                           ? widget->frameGeometry()
                           : QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
        *rect = RECT{screen.left(), screen.top(), screen.left() + screen.width(),
                     screen.top() + screen.height()};
    });
}

void CWnd::GetClientRect(RECT* rect) const {
    *rect = RECT{0, 0, 0, 0};
    WithWidget<QWidget>(*this, [&](QWidget* widget) {
        *rect = RECT{0, 0, widget->width(), widget->height()};
    });
}
