#include "framework/UiSession.h"

#include "framework/UiThread.h"

#include <QApplication>

#include <memory>

namespace {

// QApplication keeps references to argc and argv for its whole life.
int defaultArgc = 1;
char defaultName[] = "brimlet";
char* defaultArgv[] = {defaultName, nullptr};

std::unique_ptr<QApplication> application;

} // namespace

UiSession::UiSession() : UiSession(defaultArgc, defaultArgv) {}

UiSession::UiSession(int& argc, char** argv) {
    if (QApplication::instance() == nullptr) {
        application = std::make_unique<QApplication>(argc, argv);
        ownsApplication = true;
        // The program ends when its main dialog returns, not when a window closes.
        QApplication::setQuitOnLastWindowClosed(false);
    }
    InstallUiWakeUp();
}

UiSession::~UiSession() {
    if (ownsApplication) {
        RemoveUiWakeUp();
        application.reset();
    }
}

int UiSession::RunEventLoop() {
    return QApplication::exec();
}

void UiSession::Quit(int exitCode) {
    QApplication::exit(exitCode);
}
