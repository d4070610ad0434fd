#include "framework/UserInput.h"

#include "framework/Dialog.h"
#include "framework/VirtualKeys.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>

void PressKey(CWnd& target, UINT virtualKey, bool withAlt) {
    QWidget* widget = target.Widget();
    if (widget == nullptr) {
        return;
    }
    Qt::KeyboardModifiers modifiers = withAlt ? Qt::AltModifier : Qt::NoModifier;
    int key = QtKeyFromVirtualKey(virtualKey);
    QString text = (virtualKey >= '0' && virtualKey <= 'Z' && !withAlt)
                       ? QString(QChar(static_cast<char16_t>(virtualKey))).toLower()
                       : QString();
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &release);
}

BOOL RequestClose(CDialog& dialog) {
    QWidget* window = dialog.Widget();
    if (window == nullptr) {
        return FALSE;
    }
    window->close();
    return dialog.Widget() == nullptr || !dialog.Widget()->isVisible() ? TRUE : FALSE;
}

void RightClick(CDialog& dialog, int x, int y) {
    QWidget* window = dialog.Widget();
    if (window == nullptr) {
        return;
    }
    QPoint point(x, y);
    QWidget* target = window->childAt(point);
    if (target == nullptr) {
        target = window;
    }
    QPoint local = target->mapFrom(window, point);
    QContextMenuEvent event(QContextMenuEvent::Mouse, local, window->mapToGlobal(point));
    QApplication::sendEvent(target, &event);
}

BOOL ChooseOpenMenuItem(CDialog& dialog, UINT id) {
    CMenu* menu = dialog.GetSystemMenu(FALSE);
    QMenu* popup = menu != nullptr ? menu->PopupMenu() : nullptr;
    if (popup == nullptr || !popup->isVisible()) {
        return FALSE;
    }
    for (QAction* action : popup->actions()) {
        if (!action->isSeparator() && action->data().toUInt() == id) {
            if (!action->isEnabled()) {
                return FALSE;
            }
            popup->close();
            action->trigger();
            return TRUE;
        }
    }
    return FALSE;
}

bool ProcessEventsUntil(const std::function<bool()>& done, int boundMs) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done() && elapsed.elapsed() < boundMs) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return done();
}
