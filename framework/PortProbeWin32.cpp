// see PortProbe.h. <windows.h> and framework/WinTypes.h both name DWORD, differently,
// so this file includes only the former; BOOL is int in both.
#include "framework/ProgramFolder.h"
#include "readerlink/PortPath.h"

#include <windows.h>

// Opening without sharing fails while another program holds the port, as on Windows
// a held port is not free.
BOOL IsComPortPresent(int port) {
    const std::string device = readerlink::ComPortDevicePath(port, GetProgramFolder());
    if (device.empty()) {
        return FALSE;
    }
    const HANDLE handle = CreateFileA(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return FALSE;
    }
    CloseHandle(handle);
    return TRUE;
}
