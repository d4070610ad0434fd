#include "framework/Win32.h"

#include "framework/UiSession.h"
#include "framework/UiThread.h"

UiSession::UiSession() {
    InstallUiWakeUp();
    ownsApplication = true;
}

UiSession::UiSession(int&, char**) : UiSession() {}

UiSession::~UiSession() {
    RemoveUiWakeUp();
}

int UiSession::RunEventLoop() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

void UiSession::Quit(int exitCode) {
    RunOnUiThread([exitCode] { PostQuitMessage(exitCode); });
}
