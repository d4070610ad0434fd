// see Console.h
#include "cli/Console.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <pthread.h>
#include <thread>
#include <unistd.h>

namespace {

std::string FirstLine(const std::filesystem::path& file) {
    std::string line;
    std::ifstream in(file);
    std::getline(in, line);
    return line;
}

} // namespace

// sysfs: the tty's device, and up its parents the USB device with its strings.
void AddSystemDescription(PortEntry& entry) {
    std::error_code error;
    const std::filesystem::path device = std::filesystem::canonical(entry.device, error);
    if (error) {
        return;
    }
    std::filesystem::path node = std::filesystem::canonical(
        std::filesystem::path("/sys/class/tty") / device.filename() / "device", error);
    for (; !error && node.has_relative_path(); node = node.parent_path()) {
        if (std::filesystem::exists(node / "idVendor", error)) {
            entry.maker = FirstLine(node / "manufacturer");
            entry.product = FirstLine(node / "product");
            return;
        }
    }
}

bool StandardOutputIsTerminal() {
    return ::isatty(STDOUT_FILENO) == 1;
}

// The signal is taken by sigwait on a thread of its own, so that the handler may
// lock, print and wake the download, which a signal handler may not.
void WatchCtrlC(std::function<void()> onPress) {
    sigset_t interrupt;
    sigemptyset(&interrupt);
    sigaddset(&interrupt, SIGINT);
    pthread_sigmask(SIG_BLOCK, &interrupt, nullptr);
    std::thread([interrupt, onPress = std::move(onPress)] {
        for (;;) {
            int signal = 0;
            if (sigwait(&interrupt, &signal) == 0) {
                onPress();
            }
        }
    }).detach();
}
