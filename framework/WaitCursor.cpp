#include "framework/WaitCursor.h"

#include <QApplication>
#include <QCursor>

CWaitCursor::CWaitCursor() {
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

CWaitCursor::~CWaitCursor() {
    QApplication::restoreOverrideCursor();
}

bool IsWaitCursorShown() {
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor != nullptr && cursor->shape() == Qt::WaitCursor;
}
