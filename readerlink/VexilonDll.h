#pragma once

// The reader-link library: opens a COM port, carries one command to the reader
// and returns its response. Plain C so that any program can load it.
//
// Calls must not overlap: one call at a time, from any thread.

#if defined(_WIN32)
#if defined(VEXILON_BUILDING)
#define VQ_API __declspec(dllexport)
#else
#define VQ_API __declspec(dllimport)
#endif
#else
#define VQ_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Results of VQ_InitPort when it fails. They are all negative, so none can be
// mistaken for a port number (a success returns the port number itself).
enum VQ_InitResult {
    // The port number is outside 1..255: the caller's mistake. For port -1 itself
    // the result is VQ_INIT_NO_DEVICE instead, so that it still differs from port.
    VQ_INIT_BAD_PORT_NUMBER = -1,
    // No device for this port: no ports/COM<n> link beside the library and no
    // standard device, or the link points nowhere (reader unplugged).
    VQ_INIT_NO_DEVICE = -2,
    // The device exists but this user may not open it (not in the dialout group).
    // The only case in which the library writes a line to standard error.
    VQ_INIT_PERMISSION_DENIED = -3,
    // The device is held by another program (exclusively, or under its lock: two
    // copies of the program never drive one reader). Nothing was written to it.
    VQ_INIT_BUSY = -4,
    // The device opened but is no serial port, or refused the serial settings.
    VQ_INIT_NOT_SERIAL = -5,
    // The baud rate is not one of 1200, 2400, 4800, 9600, 19200, 38400, 57600,
    // 115200, 230400, 460800, 921600: the caller's mistake.
    VQ_INIT_BAD_BAUD = -6,
    // Opening failed for another reason of the operating system.
    VQ_INIT_OPEN_FAILED = -7,
};

// Results of VQ_Polling and VQ_ClosePort.
enum VQ_Result {
    // The reader answered with a well-formed frame; receiveLength bytes were stored.
    VQ_OK = 0,
    // The port is not open: the caller forgot VQ_InitPort (or closed it already).
    VQ_ERR_PORT_NOT_OPEN = 1001,
    // The request could not be written: the device went away or stayed blocked.
    VQ_ERR_WRITE_FAILED = 1002,
    // No complete response within the time-out: the reader was silent or stopped
    // in the middle of its answer.
    VQ_ERR_TIMEOUT = 1003,
    // The reader's answer was malformed (bad length, ETX or LRC): line noise or a
    // reader speaking another protocol. Nothing is stored.
    VQ_ERR_MALFORMED = 1004,
    // The reader refused the request with NAK. Nothing is stored.
    VQ_ERR_REFUSED = 1005,
    // The response was longer than 1000 bytes: the first 1000 are stored and
    // receiveLength is 1000; nothing past them is ever written.
    VQ_ERR_TOO_LONG = 1006,
    // The caller passed a null pointer, a send length outside 1..4096 or a
    // negative time-out. Nothing is sent.
    VQ_ERR_BAD_ARGUMENT = 1007,
    // The device behind the port went away (USB adapter unplugged, hang-up, reader
    // re-enumerated): seen while writing or reading, or earlier on this port.
    // Reported at once, never after waiting out the time-out. VQ_InitPort opens
    // it again once it is back.
    VQ_ERR_PORT_LOST = 1008,
};

// The capacity VQ_Polling assumes behind receiveData.
enum { VQ_RECEIVE_CAPACITY = 1000 };

// Opens COM<port> at baud, 8N1, raw, no flow control, exclusively. A port that is
// already open is closed and opened again (and stays closed if that fails).
// Returns port on success, otherwise a VQ_InitResult.
VQ_API int VQ_InitPort(int port, int baud);

// Sends sendData (sendLength bytes, 1..4096) as one frame and waits up to
// timeoutMs after the write for the reader's one response frame, whose payload
// (response code first) goes to receiveData. receiveLength is always set to the
// number of bytes stored (0 on every failure but VQ_ERR_TOO_LONG). No retry.
VQ_API int VQ_Polling(int port, int sendLength, const unsigned char* sendData, int* receiveLength,
                      unsigned char* receiveData, int timeoutMs);

// Closes the port. VQ_OK, or VQ_ERR_PORT_NOT_OPEN when it was not open.
VQ_API int VQ_ClosePort(int port);

#ifdef __cplusplus
}
#endif
