// The Qt back end's wake-up of the UI thread for handed-over work.
#include "framework/UiThread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QSocketNotifier>
#include <QThread>

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace {

// The wake-up is a counter the UI thread watches. A worker only writes to it with a
// system call and never touches the toolkit's memory, so even the toolkit (not built
// for ThreadSanitizer) cannot hide a hand-over from the checker.
int wakeUp = -1;
QSocketNotifier* wakeUpNotifier = nullptr;

void OnWakeUp() {
    std::uint64_t count = 0;
    [[maybe_unused]] ssize_t ignored = ::read(wakeUp, &count, sizeof count); // reset first
    RunQueuedUiWork();
}

} // namespace

bool IsUiThread() {
    QCoreApplication* app = QCoreApplication::instance();
    return app == nullptr || QThread::currentThread() == app->thread();
}

bool HasUi() {
    return QCoreApplication::instance() != nullptr;
}

void WakeUiThread() {
    if (wakeUp >= 0) {
        std::uint64_t one = 1;
        [[maybe_unused]] ssize_t ignored = ::write(wakeUp, &one, sizeof one);
    } else {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] { RunQueuedUiWork(); }, Qt::QueuedConnection);
    }
}

void InstallUiWakeUp() {
    if (wakeUpNotifier != nullptr) {
        return;
    }
    wakeUp = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wakeUp < 0) {
        return; // the toolkit's own queue still carries the work
    }
    wakeUpNotifier = new QSocketNotifier(wakeUp, QSocketNotifier::Read);
    QObject::connect(wakeUpNotifier, &QSocketNotifier::activated, [] { OnWakeUp(); });
}

void RemoveUiWakeUp() {
    delete wakeUpNotifier;
    wakeUpNotifier = nullptr;
    if (wakeUp >= 0) {
        ::close(wakeUp);
        wakeUp = -1;
    }
}
