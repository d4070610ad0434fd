#include "app/DownloadBusy.h"

std::atomic<int> downloadBusy{0};
