#include "app/DownloadBusy.h"

std::atomic<bool> downloadBusy{false};
