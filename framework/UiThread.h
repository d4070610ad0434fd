#pragma once

#include <functional>

// The hand-over between the download worker and the user-interface thread, as a
// sent window message: the work runs on the UI thread and the caller waits for it.
// Built on std::mutex and std::condition_variable so that ThreadSanitizer sees it.

// True on the thread that runs the UI event loop (or when there is no UI at all).
bool IsUiThread();

// Runs work on the UI thread and returns when it has run: inline on the UI thread,
// handed over from any other. An exception thrown by work is rethrown to the caller.
// The UI thread must keep its event loop running while a worker waits.
void RunOnUiThread(const std::function<void()>& work);

// Queues work for the UI thread and returns at once (a posted message).
void PostToUiThread(std::function<void()> work);

// For UiSession: the UI thread's wake-up for handed-over work, set up once the UI
// exists and removed before it goes. Without it the toolkit's queue wakes the UI.
void InstallUiWakeUp();
void RemoveUiWakeUp();

// The back end's side of the hand-over: whether a UI exists, the wake-up that makes
// the UI thread call RunQueuedUiWork, which runs everything handed over so far.
bool HasUi();
void WakeUiThread();
void RunQueuedUiWork();
