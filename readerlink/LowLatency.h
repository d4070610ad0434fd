#pragma once

// The driver's low-latency flag of a serial port. USB-serial adapters otherwise
// hold each short answer up to their latency timer (16 ms on common ones) before
// passing it on, which adds that much to every block of a download.

namespace readerlink {

// Sets the flag where the driver supports it; true only when it was off and is
// now on, so that the caller restores it. A pseudo-terminal has no such flag:
// false, and not an error.
bool EnableLowLatency(int fd);

// Clears the flag again.
void DisableLowLatency(int fd);

} // namespace readerlink
