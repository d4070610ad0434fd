#include "readerlink/PortPath.h"

namespace readerlink {

// Windows names every serial port, USB adapters included, COM<n> itself, so no
// table and no ports/ folder stand between the number and the device. The
// \\.\ prefix reaches COM10 and above, which the plain name does not.
std::string StandardComDevicePath(int port) {
    if (port < kFirstComPort || port > kLastComPort) {
        return {};
    }
    return "\\\\.\\COM" + std::to_string(port);
}

std::string ComPortDevicePath(int port, const std::filesystem::path&) {
    return StandardComDevicePath(port);
}

} // namespace readerlink
