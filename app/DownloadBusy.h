#pragma once

#include <atomic>

// 1 from the moment a download starts until its result timer has been handled.
// The transfer and reader-information buttons do nothing while it is 1. Atomic:
// the download worker and the user-interface thread both read it.
extern std::atomic<int> downloadBusy;
