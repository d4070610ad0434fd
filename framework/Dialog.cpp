#include "framework/Dialog.h"

#include "framework/ControlFactory.h"
#include "framework/DialogFont.h"
#include "framework/DialogWindow.h"
#include "framework/IconImage.h"
#include "framework/UiThread.h"
#include "framework/WidgetAccess.h"

#include <QAbstractButton>
#include <QColor>
#include <QComboBox>
#include <QIcon>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>
#include <utility>

namespace {

Qt::WindowFlags WindowFlagsOf(unsigned style) {
    Qt::WindowFlags flags = (style & kTaskBar) != 0 ? Qt::Window : Qt::Dialog;
    if ((style & kThinBorder) != 0 && (style & kCaption) == 0) {
        return flags | Qt::FramelessWindowHint;
    }
    flags |= Qt::CustomizeWindowHint;
    if ((style & kCaption) != 0) {
        flags |= Qt::WindowTitleHint;
    }
    if ((style & kSystemMenu) != 0) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    if ((style & kMinimizeBox) != 0) {
        flags |= Qt::WindowMinimizeButtonHint;
    }
    return flags;
}

constexpr UINT kMinimumTimerMs = 10; // Windows' USER_TIMER_MINIMUM

} // namespace

BOOL CDialog::Build(CWnd* parentWindow) {
    QWidget* parentWidget = parentWindow != nullptr ? parentWindow->Widget() : nullptr;
    window = new DialogWindow(*this, parentWidget, WindowFlagsOf(dialogTemplate.style));
    QFont font = DialogFontOf(dialogTemplate);
    window->setFont(font);
    window->setWindowTitle(
        QString::fromUtf8(dialogTemplate.caption != nullptr ? dialogTemplate.caption : ""));
    if ((dialogTemplate.style & kThinBorder) != 0) {
        window->setObjectName("thinBorder");
        window->setStyleSheet("QDialog#thinBorder { border: 1px solid palette(dark); }");
    }
    DialogBaseUnits base = BaseUnitsOf(font);
    RECT size = DialogUnitsToPixels(RECT{0, 0, dialogTemplate.width, dialogTemplate.height}, base);
    window->setFixedSize(size.right, size.bottom);
    Attach(window, kNoControlId);

    for (const ControlTemplate& control : dialogTemplate.controls) {
        QWidget* widget = CreateControlWidget(control, base, window);
        widget->installEventFilter(window);
        if (control.id == kNoControlId || controls.contains(control.id)) {
            continue; // Windows finds the first control of an id
        }
        std::unique_ptr<CWnd> object = CreateControlObject(control.kind);
        object->Attach(widget, control.id);
        controls.emplace(control.id, std::move(object));
        int id = control.id;
        if (auto* button = dynamic_cast<QAbstractButton*>(widget)) {
            QObject::connect(button, &QAbstractButton::clicked, window,
                             [this, id] { SendCommand(id); });
        }
    }
    // Children of controls (a list's viewport, ...) see key presses as well.
    for (QWidget* child : window->findChildren<QWidget*>()) {
        child->installEventFilter(window);
    }
    window->installEventFilter(window);
    if ((dialogTemplate.style & kSystemMenu) != 0) {
        systemMenu = std::make_unique<CMenu>(*this);
    }
    return TRUE;
}

DialogWindow* CDialog::ReleaseWindow() {
    DialogWindow* released = window;
    if (released == nullptr) {
        return nullptr;
    }
    for (const auto& [id, qtTimer] : timers) {
        released->killTimer(qtTimer);
    }
    timers.clear();
    released->Detach();
    for (QObject* child : released->findChildren<QObject*>()) {
        child->disconnect(released); // no click reaches a CDialog that let go
    }
    released->hide();
    systemMenu.reset();
    controls.clear();
    Attach(nullptr, kNoControlId);
    window = nullptr;
    return released;
}

INT_PTR CDialog::DoModal() {
    if (!IsUiThread()) {
        INT_PTR result = -1;
        RunOnUiThread([&] { result = DoModal(); });
        return result;
    }
    if (window != nullptr) {
        return -1;
    }
    modal = true;
    Build(parent);
    // A modal dialog box disables its owner and nothing else; the toolkit's default
    // for a modal window blocks every other window of the program, a parentless
    // modeless one included. Window-modal blocks the owner's chain only, and nothing
    // for a dialog without an owner (the main window).
    window->setWindowModality(Qt::WindowModal);
    InitDialog();
    INT_PTR result = window->ended ? window->endResult : window->exec();
    delete ReleaseWindow(); // the modal loop has ended: nothing of the window is running
    modal = false;
    return result;
}

BOOL CDialog::Create(CWnd* parentWindow) {
    BOOL created = FALSE;
    RunOnUiThread([&] {
        if (window != nullptr) {
            return;
        }
        modal = false;
        parent = parentWindow;
        Build(parentWindow);
        InitDialog();
        if (window != nullptr && !window->ended) {
            window->show();
        }
        created = TRUE;
    });
    return created;
}

void CDialog::DestroyWindow() {
    RunOnUiThread([&] {
        // Later: this may run inside a handler of the very window.
        if (DialogWindow* released = ReleaseWindow()) {
            released->deleteLater();
        }
    });
}

void CDialog::EndDialog(int result) {
    RunOnUiThread([&] {
        if (window == nullptr) {
            return;
        }
        window->ended = true;
        window->endResult = result;
        if (modal) {
            window->done(result);
        } else {
            window->hide();
        }
    });
}

namespace {

QColor ColorOf(COLORREF color) {
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

} // namespace

void CDialog::InitDialog() {
    OnInitDialog();
    if (window == nullptr) {
        return;
    }
    for (const ControlTemplate& control : dialogTemplate.controls) {
        CWnd* item = GetDlgItem(control.id);
        if (item == nullptr) {
            continue;
        }
        CDC dc;
        OnCtlColor(&dc, item, CtlColorOf(control.kind));
        if (std::optional<COLORREF> color = dc.GetTextColor()) {
            QPalette palette = item->Widget()->palette();
            palette.setColor(QPalette::WindowText, ColorOf(*color));
            palette.setColor(QPalette::Text, ColorOf(*color));
            palette.setColor(QPalette::ButtonText, ColorOf(*color));
            item->Widget()->setPalette(palette);
        }
    }
}

UINT_PTR CDialog::SetTimer(UINT_PTR id, UINT elapseMs) {
    UINT_PTR result = 0;
    RunOnUiThread([&] {
        if (window == nullptr) {
            return;
        }
        if (auto running = timers.find(id); running != timers.end()) {
            window->killTimer(running->second);
        }
        timers[id] = window->startTimer(static_cast<int>(std::max(elapseMs, kMinimumTimerMs)));
        result = id;
    });
    return result;
}

BOOL CDialog::KillTimer(UINT_PTR id) {
    BOOL killed = FALSE;
    RunOnUiThread([&] {
        auto running = timers.find(id);
        if (running == timers.end() || window == nullptr) {
            return;
        }
        window->killTimer(running->second);
        timers.erase(running);
        killed = TRUE;
    });
    return killed;
}

HICON CDialog::SetIcon(HICON icon, BOOL big) {
    HICON previous = nullptr;
    RunOnUiThread([&] {
        HICON& slot = big ? bigIcon : smallIcon;
        previous = std::exchange(slot, icon);
        HICON shown = bigIcon != nullptr ? bigIcon : smallIcon;
        if (window != nullptr && shown != nullptr) {
            window->setWindowIcon(QIcon(QPixmap::fromImage(shown->image)));
        }
    });
    return previous;
}

int CDialog::FocusedButtonId(HWND focus) const {
    auto* focused = static_cast<QWidget*>(focus);
    return dynamic_cast<QPushButton*>(focused) != nullptr ? ControlIdOf(focused) : kNoControlId;
}

void CDialog::OpenSystemMenu() {
    QPoint corner = window->mapToGlobal(QPoint(0, 0));
    systemMenu->Popup(corner.x(), corner.y());
}
