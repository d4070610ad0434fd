#pragma once

#include "framework/WinTypes.h"

// The COM port presence probe: the meaning of opening "\\.\COM<n>" for reading and
// writing without sharing and closing it at once. COM<n> maps to a device exactly
// as the reader-link library maps it (a ports/COM<n> link in the program folder,
// otherwise the standard serial devices), so a port listed here is one the library
// can open.
//
// TRUE when the device exists, is a serial port (a terminal) and no other program
// holds it exclusively. POSIX has no open without sharing; a holder that took the
// port with TIOCEXCL (as the reader-link library does) is detected with TIOCGEXCL,
// which works even for the super-user, whom TIOCEXCL alone does not stop, and one
// that holds its lock (flock, as the library also takes) by failing to take it.
BOOL IsComPortPresent(int port);
