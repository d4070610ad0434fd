#include "framework/MessageBox.h"

#include "framework/Wnd.h"

#include <QMessageBox>

namespace {

QMessageBox::Icon IconOf(UINT icon) {
    switch (icon) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons ButtonsOf(UINT buttons) {
    switch (buttons) {
    case MB_OKCANCEL:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MB_YESNO:
        return QMessageBox::Yes | QMessageBox::No;
    default:
        return QMessageBox::Ok;
    }
}

// A box closed without a button gives what Windows gives: Cancel where there is
// one, otherwise the only way out.
int AnswerOf(int clicked, UINT buttons) {
    switch (clicked) {
    case QMessageBox::Ok:
        return IDOK;
    case QMessageBox::Cancel:
        return IDCANCEL;
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    default:
        return buttons == MB_OKCANCEL ? IDCANCEL : buttons == MB_YESNO ? IDNO : IDOK;
    }
}

} // namespace

int ShowMessageBoxOnScreen(const MessageBoxRequest& request) {
    QMessageBox box(IconOf(request.icon), QString::fromStdString(request.caption),
                    QString::fromStdString(request.text).replace("\r\n", "\n"),
                    ButtonsOf(request.buttons),
                    request.owner != nullptr ? request.owner->Widget() : nullptr);
    box.setTextFormat(Qt::PlainText);
    return AnswerOf(box.exec(), request.buttons);
}
