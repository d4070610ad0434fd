#include "framework/MessageBox.h"

#include "framework/ProgramFolder.h"
#include "framework/UiThread.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"

#include <mutex>
#include <utility>

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
        answer = answerer ? answerer(request) : ShowMessageBoxOnScreen(request);
    });
    return answer;
}

int AfxMessageBox(const std::string& text, UINT type) {
    return ShowMessageBox(nullptr, text, nullptr, type);
}
