#include "readerlink/PortPath.h"

#include <system_error>

namespace readerlink {

namespace {

struct DeviceRange {
    int firstPort;
    const char* prefix;
};

// 32 ports per family, in this order.
constexpr DeviceRange kDeviceRanges[] = {
    {1, "/dev/ttyS"},
    {33, "/dev/ttyUSB"},
    {65, "/dev/ttyACM"},
};
constexpr int kPortsPerRange = 32;

} // namespace

std::string StandardComDevicePath(int port) {
    for (const DeviceRange& range : kDeviceRanges) {
        if (port >= range.firstPort && port < range.firstPort + kPortsPerRange) {
            return range.prefix + std::to_string(port - range.firstPort);
        }
    }
    return {};
}

std::string ComPortDevicePath(int port, const std::filesystem::path& libraryFolder) {
    if (port < kFirstComPort || port > kLastComPort) {
        return {};
    }
    const std::filesystem::path link = libraryFolder / "ports" / ("COM" + std::to_string(port));
    std::error_code error;
    // symlink_status: a link whose reader has gone still names this port's device;
    // falling back to /dev/ttyS* then would talk to the wrong device.
    if (!libraryFolder.empty() &&
        std::filesystem::exists(std::filesystem::symlink_status(link, error))) {
        return link.string();
    }
    return StandardComDevicePath(port);
}

} // namespace readerlink
