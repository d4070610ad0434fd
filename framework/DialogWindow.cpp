#include "framework/DialogWindow.h"

#include "framework/Dialog.h"
#include "framework/VirtualKeys.h"
#include "framework/WidgetAccess.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTimerEvent>

#include <memory>

DialogWindow::DialogWindow(CDialog& owner, QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags), owner(&owner) {}

// Every key press reaches PreTranslateMessage once, at the widget it was sent to,
// before that widget or any parent acts on it. A press that is not consumed is sent
// again with translation off, so the parents' filters do not see it a second time.
bool DialogWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || redelivering || owner == nullptr) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    bool alt = (key->modifiers() & Qt::AltModifier) != 0;
    MSG msg{watched, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, VirtualKeyFromQtKey(key->key()), 0, 0,
            {0, 0}};
    if (owner->TranslateKey(msg) == FALSE) {
        std::unique_ptr<QEvent> copy(event->clone());
        redelivering = true;
        QCoreApplication::sendEvent(watched, copy.get());
        redelivering = false;
    }
    event->accept();
    return true;
}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept(); // handled by CDialog::TranslateKey, never by the toolkit
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void DialogWindow::closeEvent(QCloseEvent* event) {
    // The window closes only through EndDialog; a close request is the Cancel command.
    event->ignore();
    if (owner != nullptr) {
        owner->HandleCloseRequest();
    }
}

void DialogWindow::reject() {
    if (owner != nullptr) {
        owner->HandleCloseRequest();
    }
}

void DialogWindow::timerEvent(QTimerEvent* event) {
    if (owner != nullptr) {
        owner->HandleTimerEvent(event->timerId());
    }
}

// The dialog background, labels included (a static does not take clicks on Windows).
void DialogWindow::contextMenuEvent(QContextMenuEvent* event) {
    QWidget* under = childAt(event->pos());
    if (owner != nullptr && (under == nullptr || dynamic_cast<QLabel*>(under) != nullptr)) {
        if (CMenu* menu = owner->GetSystemMenu(FALSE)) {
            menu->Popup(event->globalPos().x(), event->globalPos().y());
            event->accept();
            return;
        }
    }
    event->ignore();
}

bool IsReleasedWindow(const QWidget* widget) {
    auto* dialog = dynamic_cast<const DialogWindow*>(widget->window());
    return dialog != nullptr && dialog->IsDetached();
}
