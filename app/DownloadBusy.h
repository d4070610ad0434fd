#pragma once

#include <atomic>

// Set from the moment a download starts until its result timer has been handled.
// The transfer and reader-information buttons do nothing while it is set. Atomic:
// the download worker and the user-interface thread both read it.
extern std::atomic<bool> downloadBusy;
