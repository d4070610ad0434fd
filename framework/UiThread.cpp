#include "framework/UiThread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QSocketNotifier>
#include <QThread>

#include <sys/eventfd.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>

namespace {

// Work waiting for the UI thread. It passes through this std::mutex, which
// ThreadSanitizer understands; only a wake-up goes another way.
std::mutex queueMutex;
std::deque<std::function<void()>> queue;

void RunQueuedWork() {
    while (true) {
        std::function<void()> work;
        {
            std::lock_guard lock(queueMutex);
            if (queue.empty()) {
                return;
            }
            work = std::move(queue.front());
            queue.pop_front();
        }
        work();
    }
}

// The wake-up is a counter the UI thread watches. A worker only writes to it with a
// system call and never touches the toolkit's memory, so even the toolkit (not built
// for ThreadSanitizer) cannot hide a hand-over from the checker.
int wakeUp = -1;
QSocketNotifier* wakeUpNotifier = nullptr;

void OnWakeUp() {
    std::uint64_t count = 0;
    [[maybe_unused]] ssize_t ignored = ::read(wakeUp, &count, sizeof count); // reset first
    RunQueuedWork();
}

void Enqueue(std::function<void()> work) {
    {
        std::lock_guard lock(queueMutex);
        queue.push_back(std::move(work));
    }
    if (wakeUp >= 0) {
        std::uint64_t one = 1;
        [[maybe_unused]] ssize_t ignored = ::write(wakeUp, &one, sizeof one);
    } else {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] { RunQueuedWork(); }, Qt::QueuedConnection);
    }
}

} // namespace

bool IsUiThread() {
    QCoreApplication* app = QCoreApplication::instance();
    return app == nullptr || QThread::currentThread() == app->thread();
}

void RunOnUiThread(const std::function<void()>& work) {
    if (IsUiThread()) {
        work();
        return;
    }
    std::mutex doneMutex;
    std::condition_variable doneSignal;
    bool done = false;
    std::exception_ptr failure;
    Enqueue([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        // Notify under the lock: the waiter owns doneSignal and may leave at once.
        std::lock_guard lock(doneMutex);
        done = true;
        doneSignal.notify_one();
    });
    std::unique_lock lock(doneMutex);
    doneSignal.wait(lock, [&] { return done; });
    if (failure) {
        std::rethrow_exception(failure);
    }
}

void PostToUiThread(std::function<void()> work) {
    if (QCoreApplication::instance() == nullptr) {
        work();
        return;
    }
    Enqueue(std::move(work));
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
