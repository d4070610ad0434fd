#include "framework/PortProbe.h"

#include "framework/ProgramFolder.h"
#include "readerlink/PortPath.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

BOOL IsComPortPresent(int port) {
    const std::string device = readerlink::ComPortDevicePath(port, GetProgramFolder());
    if (device.empty()) {
        return FALSE;
    }
    // O_NONBLOCK: a port without carrier must not hold up the probe of the next one.
    const int fd = open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return FALSE;
    }
    // The reader-link library locks the port it drives; a lock we can take is free.
    int heldExclusively = 0;
    const bool present = isatty(fd) == 1 && ioctl(fd, TIOCGEXCL, &heldExclusively) == 0 &&
                         heldExclusively == 0 && flock(fd, LOCK_EX | LOCK_NB) == 0;
    close(fd);
    return present ? TRUE : FALSE;
}
