#include "framework/UiThread.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>

namespace {

// Work waiting for the UI thread. It passes through this std::mutex, which
// ThreadSanitizer understands; only a wake-up goes another way.
std::mutex queueMutex;
std::deque<std::function<void()>> queue;

void Enqueue(std::function<void()> work) {
    {
        std::lock_guard lock(queueMutex);
        queue.push_back(std::move(work));
    }
    WakeUiThread();
}

} // namespace

void RunQueuedUiWork() {
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
    if (!HasUi()) {
        work();
        return;
    }
    Enqueue(std::move(work));
}
