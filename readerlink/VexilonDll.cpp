#include "readerlink/VexilonDll.h"

#include "readerlink/Frame.h"
#include "readerlink/LibraryFolder.h"
#include "readerlink/Polling.h"
#include "readerlink/PortPath.h"
#include "readerlink/SerialPort.h"

#include <cstdio>
#include <map>
#include <memory>
#include <mutex>

namespace {

using readerlink::SerialPort;

// Callers never overlap their calls; the lock only keeps the table sound if one
// ever does.
std::mutex tableLock;
std::map<int, std::unique_ptr<SerialPort>> openPorts;

int InitResultOf(SerialPort::OpenStatus status) {
    switch (status) {
    case SerialPort::OpenStatus::Opened:
        break;
    case SerialPort::OpenStatus::NoDevice:
        return VQ_INIT_NO_DEVICE;
    case SerialPort::OpenStatus::PermissionDenied:
        return VQ_INIT_PERMISSION_DENIED;
    case SerialPort::OpenStatus::Busy:
        return VQ_INIT_BUSY;
    case SerialPort::OpenStatus::NotSerial:
        return VQ_INIT_NOT_SERIAL;
    case SerialPort::OpenStatus::BadBaud:
        return VQ_INIT_BAD_BAUD;
    case SerialPort::OpenStatus::Failed:
        return VQ_INIT_OPEN_FAILED;
    }
    return VQ_INIT_OPEN_FAILED;
}

// The technician can fix this one alone, and the caller only sees a number, so
// it is the single message the library writes itself.
void ReportPermissionDenied(int port, const std::string& device) {
    std::fprintf(stderr,
                 "COM%d: permission denied opening %s; add the user to the 'dialout' group "
                 "(sudo usermod -aG dialout $USER) and log in again\n",
                 port, device.c_str());
}

} // namespace

extern "C" {

VQ_API int VQ_InitPort(int port, int baud) {
    if (port < readerlink::kFirstComPort || port > readerlink::kLastComPort) {
        return port == VQ_INIT_BAD_PORT_NUMBER ? VQ_INIT_NO_DEVICE : VQ_INIT_BAD_PORT_NUMBER;
    }
    const std::lock_guard<std::mutex> hold(tableLock);
    // Reopening lets a reader whose USB link re-enumerated during its restart be
    // found again under the same number.
    openPorts.erase(port);
    const std::string device = readerlink::ComPortDevicePath(port, readerlink::LibraryFolder());
    SerialPort::OpenOutcome outcome = SerialPort::Open(device, baud);
    if (outcome.status != SerialPort::OpenStatus::Opened) {
        if (outcome.status == SerialPort::OpenStatus::PermissionDenied) {
            ReportPermissionDenied(port, device);
        }
        return InitResultOf(outcome.status);
    }
    openPorts[port] = std::move(outcome.port);
    return port;
}

VQ_API int VQ_Polling(int port, int sendLength, const unsigned char* sendData, int* receiveLength,
                      unsigned char* receiveData, int timeoutMs) {
    if (receiveLength != nullptr) {
        *receiveLength = 0;
    }
    if (sendData == nullptr || receiveLength == nullptr || receiveData == nullptr ||
        sendLength < static_cast<int>(readerlink::kMinPayload) ||
        sendLength > static_cast<int>(readerlink::kMaxPayload) || timeoutMs < 0) {
        return VQ_ERR_BAD_ARGUMENT;
    }
    const std::lock_guard<std::mutex> hold(tableLock);
    const auto found = openPorts.find(port);
    if (found == openPorts.end()) {
        return VQ_ERR_PORT_NOT_OPEN;
    }
    const readerlink::ExchangeResult result =
        readerlink::Exchange(*found->second, {sendData, static_cast<std::size_t>(sendLength)},
                             {receiveData, static_cast<std::size_t>(VQ_RECEIVE_CAPACITY)},
                             std::chrono::milliseconds(timeoutMs));
    *receiveLength = static_cast<int>(result.stored);
    return result.code;
}

VQ_API int VQ_ClosePort(int port) {
    const std::lock_guard<std::mutex> hold(tableLock);
    return openPorts.erase(port) == 1 ? VQ_OK : VQ_ERR_PORT_NOT_OPEN;
}

} // extern "C"
