#pragma once

// Which device stands behind COM<n>. Shared by the library and the program's
// port presence probe, so both always agree.

#include <filesystem>
#include <string>

namespace readerlink {

inline constexpr int kFirstComPort = 1;
inline constexpr int kLastComPort = 255;

// The standard device for COM<port>: COM1-32 are /dev/ttyS0-31, COM33-64
// /dev/ttyUSB0-31, COM65-96 /dev/ttyACM0-31. Empty for any other port.
// On Windows (PortPathWin32.cpp) it is \\.\COM<port> for 1..255.
std::string StandardComDevicePath(int port);

// <libraryFolder>/ports/COM<port> when such an entry exists (a link to any serial
// device or pseudo-terminal, even one whose target has gone), otherwise the
// standard device. Empty for a port number outside 1..255 or without a device.
// Windows has no ports/ folder: there it is always the standard device.
std::string ComPortDevicePath(int port, const std::filesystem::path& libraryFolder);

} // namespace readerlink
