#include "framework/MessageBox.h"

#include "framework/ProgramFolder.h"
#include "framework/UiThread.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"

#include <QMessageBox>

#include <mutex>

namespace {

std::mutex responderMutex;
MessageBoxResponder responder;

MessageBoxResponder CurrentResponder() {
    std::lock_guard lock(responderMutex);
    return responder;
}

std::string ApplicationName() {
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pszAppName != nullptr) {
        return app->m_pszAppName;
    }
    std::string program = GetModuleFileName();
    return program.substr(program.rfind('/') + 1);
}

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

int ShowOnScreen(const MessageBoxRequest& request) {
    QMessageBox box(IconOf(request.icon), QString::fromStdString(request.caption),
                    QString::fromStdString(request.text).replace("\r\n", "\n"),
                    ButtonsOf(request.buttons),
                    request.owner != nullptr ? request.owner->Widget() : nullptr);
    box.setTextFormat(Qt::PlainText);
    return AnswerOf(box.exec(), request.buttons);
}

} // namespace

ScopedMessageBoxResponder::ScopedMessageBoxResponder(MessageBoxResponder replacement) {
    std::lock_guard lock(responderMutex);
    previous = std::exchange(responder, std::move(replacement));
}

ScopedMessageBoxResponder::~ScopedMessageBoxResponder() {
    std::lock_guard lock(responderMutex);
    responder = std::move(previous);
}

int ShowMessageBox(const CWnd* owner, const std::string& text, const char* caption, UINT type) {
    MessageBoxRequest request{text, caption != nullptr ? caption : ApplicationName(),
                              type & MB_TYPEMASK, type & MB_ICONMASK, owner};
    int answer = IDOK;
    RunOnUiThread([&] {
        MessageBoxResponder answerer = CurrentResponder();
        answer = answerer ? answerer(request) : ShowOnScreen(request);
    });
    return answer;
}

int AfxMessageBox(const std::string& text, UINT type) {
    return ShowMessageBox(nullptr, text, nullptr, type);
}
